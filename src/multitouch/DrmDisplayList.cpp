#include "multitouch/DrmDisplayList.h"

#include <filesystem>
#include <fstream>

namespace scriblo {

namespace {

std::string firstWord(const std::filesystem::path& file)
{
    std::ifstream input(file);
    std::string word;
    input >> word;
    return word;
}

}

DrmDisplayList::DrmDisplayList(std::string root)
    : m_root(std::move(root))
{
}

std::optional<std::vector<std::string>> DrmDisplayList::activeDisplayNames() const
{
    std::error_code error;
    std::filesystem::directory_iterator entries(m_root, error);
    if (error)
        return std::nullopt;
    std::vector<std::string> active;
    bool anyConnector = false;
    for (const auto& entry : entries) {
        std::string name = entry.path().filename().string();
        auto dash = name.find('-');
        if (name.rfind("card", 0) != 0 || dash == std::string::npos)
            continue;
        anyConnector = true;
        if (firstWord(entry.path() / "enabled") == "enabled")
            active.push_back(name.substr(dash + 1));
    }
    if (!anyConnector)
        return std::nullopt;
    return active;
}

}
