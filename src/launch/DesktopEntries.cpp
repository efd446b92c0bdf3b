// GIO only: its headers clash with Qt's keywords, so no Qt header may come in here.
#include "launch/DesktopEntries.h"

#include "launch/GioHandle.h"
#include "platform/XdgPaths.h"

#include <algorithm>
#include <gio/gdesktopappinfo.h>
#include <unordered_set>

namespace scriblo::DesktopEntries {

namespace {

struct EntryFile {
    std::string id;
    std::filesystem::path file;
};

// Every entry file in the order of precedence, each desktop file ID once.
template<typename Visit>
void visitEntryFiles(Visit visit)
{
    std::unordered_set<std::string> claimed;
    for (const auto& dataFolder : XdgPaths::dataSearchPath()) {
        const auto folder = dataFolder / "applications";
        std::error_code error;
        std::filesystem::recursive_directory_iterator walk(folder, std::filesystem::directory_options::skip_permission_denied, error);
        for (; !error && walk != std::filesystem::recursive_directory_iterator(); walk.increment(error)) {
            const auto& path = walk->path();
            if (path.extension() != ".desktop" || !walk->is_regular_file(error))
                continue;
            std::string id = path.lexically_relative(folder).string();
            std::replace(id.begin(), id.end(), '/', '-');
            if (claimed.insert(id).second && !visit(EntryFile { id, path }))
                return;
        }
    }
}

std::string iconName(GIcon* icon)
{
    if (!icon)
        return genericApplicationIcon;
    if (G_IS_THEMED_ICON(icon)) {
        const gchar* const* names = g_themed_icon_get_names(G_THEMED_ICON(icon));
        return names && names[0] ? names[0] : genericApplicationIcon;
    }
    if (G_IS_FILE_ICON(icon)) {
        GioHandle<char> path(g_file_get_path(g_file_icon_get_file(G_FILE_ICON(icon))));
        if (path)
            return path.get();
    }
    return genericApplicationIcon;
}

std::vector<std::string> categories(GDesktopAppInfo* info)
{
    std::vector<std::string> result;
    std::string list = g_desktop_app_info_get_categories(info) ? g_desktop_app_info_get_categories(info) : "";
    size_t start = 0;
    for (size_t end; (end = list.find(';', start)) != std::string::npos; start = end + 1)
        result.push_back(list.substr(start, end - start));
    if (start < list.size())
        result.push_back(list.substr(start));
    return result;
}

DesktopEntry describe(const EntryFile& entryFile, GDesktopAppInfo* info)
{
    return DesktopEntry {
        entryFile.id,
        entryFile.file,
        g_app_info_get_name(G_APP_INFO(info)),
        iconName(g_app_info_get_icon(G_APP_INFO(info))),
        categories(info),
        g_app_info_get_commandline(G_APP_INFO(info)) ? g_app_info_get_commandline(G_APP_INFO(info)) : "",
    };
}

GioObject<GDesktopAppInfo> load(const EntryFile& entryFile)
{
    return GioObject<GDesktopAppInfo>(g_desktop_app_info_new_from_filename(entryFile.file.c_str()));
}

}

std::vector<DesktopEntry> shownEntries()
{
    std::vector<DesktopEntry> entries;
    visitEntryFiles([&](const EntryFile& entryFile) {
        auto info = load(entryFile);
        // should_show leaves Hidden to the menu's own index, so it is checked here too.
        if (info && !g_desktop_app_info_get_is_hidden(info.get()) && g_app_info_should_show(G_APP_INFO(info.get())))
            entries.push_back(describe(entryFile, info.get()));
        return true;
    });
    return entries;
}

std::optional<std::filesystem::path> findFile(const std::string& desktopId)
{
    std::optional<std::filesystem::path> found;
    visitEntryFiles([&](const EntryFile& entryFile) {
        if (entryFile.id == desktopId)
            found = entryFile.file;
        return !found;
    });
    return found;
}

std::optional<DesktopEntry> entryWithId(const std::string& desktopId)
{
    auto file = findFile(desktopId);
    if (!file)
        return std::nullopt;
    EntryFile entryFile { desktopId, *file };
    auto info = load(entryFile);
    if (!info)
        return std::nullopt;
    return describe(entryFile, info.get());
}

}
