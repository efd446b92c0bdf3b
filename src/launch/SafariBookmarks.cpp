#include "launch/SafariBookmarks.h"

#include "core/PlistPointer.h"
#include "platform/SafeFile.h"

#include <cstdlib>
#include <memory>
#include <optional>
#include <plist/plist.h>

namespace scriblo::SafariBookmarks {

namespace {

PlistPointer parse(const std::filesystem::path& file)
{
    constexpr size_t maximumBookmarksSize = size_t(64) << 20;
    auto bytes = SafeFile::readIfExists(file, maximumBookmarksSize);
    if (!bytes || !bytes.value())
        return nullptr;
    return parsePropertyList(bytes.value()->data(), bytes.value()->size());
}

std::optional<std::string> text(plist_t node)
{
    if (!PLIST_IS_STRING(node))
        return std::nullopt;
    char* value = nullptr;
    plist_get_string_val(node, &value);
    if (!value)
        return std::nullopt;
    std::string result(value);
    std::free(value);
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
    for (uint32_t i = 0; list && i < plist_array_get_size(list); ++i) {
        plist_t child = plist_array_get_item(list, i);
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

std::vector<Bookmark> read(const std::filesystem::path& file)
{
    auto root = parse(file);
    plist_t list = children(bookmarksBar(root.get()));
    std::vector<Bookmark> bookmarks;
    for (uint32_t i = 0; list && i < plist_array_get_size(list); ++i) {
        if (auto entry = bookmark(plist_array_get_item(list, i)))
            bookmarks.push_back(*entry);
    }
    return bookmarks;
}

}
