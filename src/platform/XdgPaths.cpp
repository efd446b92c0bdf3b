#include "platform/XdgPaths.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace scriblo::XdgPaths {

namespace {

std::filesystem::path absoluteVariable(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || value[0] != '/')
        return {};
    return value;
}

}

std::filesystem::path home()
{
    if (auto path = absoluteVariable("HOME"); !path.empty())
        return path;
    const passwd* entry = getpwuid(getuid());
    return entry && entry->pw_dir ? entry->pw_dir : "/";
}

std::filesystem::path dataHome()
{
    auto path = absoluteVariable("XDG_DATA_HOME");
    return path.empty() ? home() / ".local/share" : path;
}

std::filesystem::path configHome()
{
    auto path = absoluteVariable("XDG_CONFIG_HOME");
    return path.empty() ? home() / ".config" : path;
}

std::filesystem::path cacheHome()
{
    auto path = absoluteVariable("XDG_CACHE_HOME");
    return path.empty() ? home() / ".cache" : path;
}

std::vector<std::filesystem::path> dataDirs()
{
    std::vector<std::filesystem::path> folders;
    const char* value = std::getenv("XDG_DATA_DIRS");
    std::string list = value && *value ? value : "/usr/local/share:/usr/share";
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(':', start);
        if (end == std::string::npos)
            end = list.size();
        std::string folder = list.substr(start, end - start);
        if (!folder.empty() && folder[0] == '/')
            folders.emplace_back(folder);
        start = end + 1;
    }
    return folders;
}

std::vector<std::filesystem::path> dataSearchPath()
{
    auto folders = dataDirs();
    folders.insert(folders.begin(), dataHome());
    return folders;
}

}
