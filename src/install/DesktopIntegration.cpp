// GLib only for the key file: no Qt header may come in here.
#include "install/DesktopIntegration.h"

#include "platform/DesktopExec.h"
#include "files/SafeFile.h"
#include "platform/XdgPaths.h"

#include <cstdlib>
#include <iostream>
#include <glib.h>

namespace scriblo::DesktopIntegration {

namespace {

// The icon inside the running AppImage, where the AppImage's own root holds it.
void copyIcon()
{
    const char* appDir = std::getenv("APPDIR");
    if (!appDir || appDir[0] != '/')
        return;
    auto icon = std::filesystem::path(appDir) / (std::string(iconName) + ".svg");
    auto target = XdgPaths::dataHome() / "icons/hicolor/scalable/apps" / icon.filename();
    std::error_code error;
    std::filesystem::create_directories(target.parent_path(), error);
    std::filesystem::copy_file(icon, target, std::filesystem::copy_options::overwrite_existing, error);
}

void writeMenuEntry(const std::filesystem::path& destination)
{
    g_autoptr(GKeyFile) file = g_key_file_new();
    const char* group = G_KEY_FILE_DESKTOP_GROUP;
    g_key_file_set_string(file, group, G_KEY_FILE_DESKTOP_KEY_TYPE, G_KEY_FILE_DESKTOP_TYPE_APPLICATION);
    g_key_file_set_string(file, group, G_KEY_FILE_DESKTOP_KEY_NAME, "Scriblo");
    g_key_file_set_string(file, group, G_KEY_FILE_DESKTOP_KEY_COMMENT, "Draw a gesture to launch an application, a page or a script");
    g_key_file_set_string(file, group, G_KEY_FILE_DESKTOP_KEY_EXEC, DesktopExec::quoted(destination).c_str());
    g_key_file_set_string(file, group, G_KEY_FILE_DESKTOP_KEY_TRY_EXEC, DesktopExec::quoted(destination).c_str());
    g_key_file_set_string(file, group, G_KEY_FILE_DESKTOP_KEY_ICON, iconName);
    g_key_file_set_string(file, group, G_KEY_FILE_DESKTOP_KEY_CATEGORIES, "Utility;");
    g_key_file_set_boolean(file, group, G_KEY_FILE_DESKTOP_KEY_STARTUP_NOTIFY, TRUE);
    gsize length = 0;
    g_autofree gchar* text = g_key_file_to_data(file, &length, nullptr);
    auto entry = XdgPaths::dataHome() / "applications" / desktopId;
    if (auto written = SafeFile::writeAtomically(entry, std::string(text, length)); !written)
        std::cerr << "scriblo: warning: no menu entry was written: " << written.error() << "\n";
}

// An entry written by the copy that is being moved starts either the AppImage file or
// the program inside its mount, which is gone at the next start either way.
bool startsOldCopy(GKeyFile* file, const std::filesystem::path& source)
{
    g_autofree gchar* exec = g_key_file_get_string(file, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_EXEC, nullptr);
    if (!exec)
        return false;
    auto program = DesktopExec::program(exec).lexically_normal();
    const char* appDir = std::getenv("APPDIR");
    return program == source.lexically_normal()
        || (appDir && appDir[0] == '/' && program.string().starts_with(std::filesystem::path(appDir).lexically_normal().string() + "/"));
}

void moveLoginEntries(const std::filesystem::path& source, const std::filesystem::path& destination)
{
    std::error_code error;
    for (std::filesystem::directory_iterator entry(XdgPaths::configHome() / "autostart", error), end; !error && entry != end; entry.increment(error)) {
        if (entry->path().extension() != ".desktop")
            continue;
        g_autoptr(GKeyFile) file = g_key_file_new();
        auto flags = GKeyFileFlags(G_KEY_FILE_KEEP_COMMENTS | G_KEY_FILE_KEEP_TRANSLATIONS);
        if (!g_key_file_load_from_file(file, entry->path().c_str(), flags, nullptr) || !startsOldCopy(file, source))
            continue;
        g_key_file_set_string(file, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_EXEC, DesktopExec::quoted(destination).c_str());
        g_key_file_save_to_file(file, entry->path().c_str(), nullptr);
    }
}

}

void addMovedProgram(const std::filesystem::path& source, const std::filesystem::path& destination)
{
    copyIcon();
    writeMenuEntry(destination);
    moveLoginEntries(source, destination);
}

}
