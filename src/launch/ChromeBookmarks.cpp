#include "launch/ChromeBookmarks.h"

#include "launch/BookmarkFile.h"

#include <nlohmann/json.hpp>
#include <optional>

namespace scriblo::ChromeBookmarks {

namespace {

// Far deeper than Chrome nests folders; a hostile file could otherwise make the parser
// build millions of nested values from a few megabytes.
constexpr int maximumDepth = 64;

struct TooDeep { };

std::optional<std::string> text(const nlohmann::json& entry, const char* key)
{
    auto found = entry.find(key);
    if (found == entry.end() || !found->is_string())
        return std::nullopt;
    return found->get<std::string>();
}

std::optional<Bookmark> bookmark(const nlohmann::json& entry)
{
    if (!entry.is_object() || text(entry, "type") != "url")
        return std::nullopt;
    auto name = text(entry, "name");
    auto url = text(entry, "url");
    if (!name || !url)
        return std::nullopt;
    return Bookmark { *name, *url };
}

const nlohmann::json* barChildren(const nlohmann::json& document)
{
    const nlohmann::json* node = &document;
    for (const char* key : { "roots", "bookmark_bar", "children" }) {
        if (!node->is_object() || !node->contains(key))
            return nullptr;
        node = &(*node)[key];
    }
    return node->is_array() ? node : nullptr;
}

}

Expected<std::vector<Bookmark>> parse(std::string_view text)
{
    auto limitDepth = [](int depth, nlohmann::json::parse_event_t, nlohmann::json&) {
        if (depth > maximumDepth)
            throw TooDeep {};
        return true;
    };
    nlohmann::json document;
    try {
        document = nlohmann::json::parse(text, limitDepth);
    } catch (const nlohmann::json::exception&) {
        return Failure { "not a JSON file" };
    } catch (const TooDeep&) {
        return Failure { "too deeply nested" };
    }
    std::vector<Bookmark> bookmarks;
    if (const auto* children = barChildren(document)) {
        for (const auto& child : *children) {
            if (auto entry = bookmark(child))
                bookmarks.push_back(*entry);
        }
    }
    return bookmarks;
}

Expected<std::vector<Bookmark>> read(const std::filesystem::path& file)
{
    return BookmarkFile::read(file, parse);
}

}
