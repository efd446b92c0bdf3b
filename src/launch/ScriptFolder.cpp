// GIO only for file type icons: no Qt header may come in here.
#include "launch/ScriptFolder.h"

#include "launch/GioHandle.h"

#include <gio/gio.h>
#include <unistd.h>

namespace scriblo::ScriptFolder {

std::vector<std::filesystem::path> programs(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const auto& path = entry->path();
        std::error_code typeError;
        if (path.filename().string().starts_with('.') || !entry->is_regular_file(typeError))
            continue;
        if (access(path.c_str(), X_OK) == 0)
            files.push_back(path);
    }
    return files;
}

Expected<Done> ensureFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return Failure { "cannot create " + folder.string() + ": " + error.message() };
    if (!std::filesystem::is_directory(folder, error))
        return Failure { folder.string() + " is not a folder" };
    return Done {};
}

std::string displayName(const std::filesystem::path& file)
{
    return file.stem().string();
}

std::string iconForFile(const std::filesystem::path& file)
{
    // Guessed from the name alone: reading 50 files' first bytes for an icon would cost
    // more than the whole rest of a refresh.
    gboolean uncertain = FALSE;
    GioHandle<char> type(g_content_type_guess(file.filename().c_str(), nullptr, 0, &uncertain));
    if (!type || uncertain)
        return "application-x-executable";
    GioHandle<char> icon(g_content_type_get_generic_icon_name(type.get()));
    return icon ? icon.get() : "application-x-executable";
}

}
