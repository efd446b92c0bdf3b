#include "launch/ChromeBookmarks.h"

#include <fstream>
#include <nlohmann/json.hpp>

namespace scriblo::ChromeBookmarks {

std::vector<Bookmark> read(const std::filesystem::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    if (!stream)
        return {};
    try {
        const auto document = nlohmann::json::parse(stream);
        std::vector<Bookmark> bookmarks;
        for (const auto& child : document.at("roots").at("bookmark_bar").at("children")) {
            if (!child.contains("name") || !child.contains("url") || child.value("type", "") != "url")
                continue;
            bookmarks.push_back({ child.at("name").get<std::string>(), child.at("url").get<std::string>() });
        }
        return bookmarks;
    } catch (const nlohmann::json::exception&) {
        return {};
    }
}

}
