#include "launch/SafariBookmarks.h"

#include "core/PlistPointer.h"
#include "launch/BookmarkFile.h"

#include <memory>
#include <optional>
#include <plist/plist.h>

namespace scriblo::SafariBookmarks {

namespace {

// A string holding a NUL is no title or address; the library's own copying call would
// abort on one.
std::optional<std::string> text(plist_t node)
{
    if (!PLIST_IS_STRING(node))
        return std::nullopt;
    uint64_t length = 0;
    const char* value = plist_get_string_ptr(node, &length);
    if (!value)
        return std::nullopt;
    std::string result(value, length);
    if (result.find('\0') != std::string::npos)
        return std::nullopt;
    return result;
}

plist_t children(plist_t node)
{
    plist_t list = PLIST_IS_DICT(node) ? plist_dict_get_item(node, "Children") : nullptr;
    return PLIST_IS_ARRAY(list) ? list : nullptr;
}

plist_t bookmarksBar(plist_t root)
{
    plist_t list = children(root);
    for (plist_t child : list ? arrayItems(list) : std::vector<plist_t> {}) {
        if (PLIST_IS_DICT(child) && text(plist_dict_get_item(child, "Title")) == "BookmarksBar")
            return child;
    }
    return nullptr;
}

std::optional<Bookmark> bookmark(plist_t entry)
{
    if (!PLIST_IS_DICT(entry))
        return std::nullopt;
    plist_t uriDictionary = plist_dict_get_item(entry, "URIDictionary");
    auto title = PLIST_IS_DICT(uriDictionary) ? text(plist_dict_get_item(uriDictionary, "title")) : std::nullopt;
    auto url = text(plist_dict_get_item(entry, "URLString"));
    if (!title || !url)
        return std::nullopt;
    return Bookmark { *title, *url };
}

}

Expected<std::vector<Bookmark>> parse(std::string_view bytes)
{
    auto root = parsePropertyList(bytes.data(), bytes.size());
    if (!root)
        return Failure { root.error() };
    plist_t list = children(bookmarksBar(root->get()));
    std::vector<Bookmark> bookmarks;
    for (plist_t item : list ? arrayItems(list) : std::vector<plist_t> {}) {
        if (auto entry = bookmark(item))
            bookmarks.push_back(*entry);
    }
    return bookmarks;
}

Expected<std::vector<Bookmark>> read(const std::filesystem::path& file)
{
    return BookmarkFile::read(file, parse);
}

}
