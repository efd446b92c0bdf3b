// GLib only for the key file reader: no Qt header may come in here.
#include "launch/XdgAutostart.h"

#include "launch/GioHandle.h"
#include "platform/DesktopExec.h"
#include "platform/XdgPaths.h"

#include <algorithm>
#include <cstdlib>
#include <glib.h>
#include <vector>

namespace scriblo {

namespace {

std::filesystem::path resolved(const std::filesystem::path& path)
{
    std::error_code error;
    auto canonical = std::filesystem::canonical(path, error);
    return error ? std::filesystem::path() : canonical;
}

// Switched off by the user: Hidden=true as every desktop writes it, or GNOME's own
// X-GNOME-Autostart-enabled=false. Such an entry starts nothing at login.
bool switchedOff(GKeyFile* file)
{
    if (g_key_file_get_boolean(file, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_HIDDEN, nullptr))
        return true;
    GError* error = nullptr;
    bool enabled = g_key_file_get_boolean(file, G_KEY_FILE_DESKTOP_GROUP, "X-GNOME-Autostart-enabled", &error);
    bool stated = !error;
    g_clear_error(&error);
    return stated && !enabled;
}

}

XdgAutostart::XdgAutostart(std::filesystem::path executable)
    : m_executable(std::move(executable))
{
}

std::filesystem::path XdgAutostart::folder()
{
    return XdgPaths::configHome() / "autostart";
}

std::filesystem::path XdgAutostart::runningExecutable()
{
    // Inside an AppImage the program lies in a mount that is gone at the next login;
    // the AppImage file is what starts it again.
    if (const char* appImage = std::getenv("APPIMAGE"); appImage && appImage[0] == '/') {
        if (auto file = resolved(appImage); !file.empty())
            return file;
    }
    return resolved("/proc/self/exe");
}

bool XdgAutostart::containsApplication()
{
    return applicationEntry().has_value();
}

void XdgAutostart::setContainsApplication(bool contains)
{
    auto entry = applicationEntry();
    std::error_code ignored;
    if (contains && !entry)
        writeEntry();
    else if (!contains && entry)
        std::filesystem::remove(*entry, ignored);
}

std::optional<std::filesystem::path> XdgAutostart::applicationEntry() const
{
    std::vector<std::filesystem::path> entries;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder(), error), end; !error && entry != end; entry.increment(error)) {
        if (entry->path().extension() == ".desktop")
            entries.push_back(entry->path());
    }
    std::sort(entries.begin(), entries.end());
    for (const auto& entry : entries) {
        if (startsApplication(entry))
            return entry;
    }
    return std::nullopt;
}

bool XdgAutostart::startsApplication(const std::filesystem::path& entry) const
{
    KeyFile file(g_key_file_new());
    if (!g_key_file_load_from_file(file.get(), entry.c_str(), G_KEY_FILE_NONE, nullptr))
        return false;
    if (switchedOff(file.get()))
        return false;
    GioHandle<char> exec(g_key_file_get_string(file.get(), G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_EXEC, nullptr));
    if (!exec)
        return false;
    auto program = resolved(DesktopExec::program(exec.get()));
    return !program.empty() && program == resolved(m_executable);
}

std::optional<std::filesystem::path> XdgAutostart::freeEntryFile()
{
    // An entry already under Scriblo's name that does not count (switched off, or starting
    // a copy that is gone or on an unmounted disk) is the user's to keep, so a new one
    // takes the first free variant of the name instead of overwriting it.
    const std::string stem = std::filesystem::path(entryFileName).stem().string();
    for (int number = 1; number <= 100; ++number) {
        auto file = folder() / (number == 1 ? std::string(entryFileName) : stem + "-" + std::to_string(number) + ".desktop");
        std::error_code error;
        if (!std::filesystem::exists(std::filesystem::symlink_status(file, error)))
            return file;
    }
    return std::nullopt;
}

void XdgAutostart::writeEntry() const
{
    // An entry with an empty Exec would start nothing and count for nothing.
    if (m_executable.empty())
        return;
    KeyFile file(g_key_file_new());
    const char* group = G_KEY_FILE_DESKTOP_GROUP;
    g_key_file_set_string(file.get(), group, G_KEY_FILE_DESKTOP_KEY_TYPE, G_KEY_FILE_DESKTOP_TYPE_APPLICATION);
    g_key_file_set_string(file.get(), group, G_KEY_FILE_DESKTOP_KEY_NAME, "Scriblo");
    g_key_file_set_string(file.get(), group, G_KEY_FILE_DESKTOP_KEY_EXEC, DesktopExec::quoted(m_executable).c_str());
    g_key_file_set_boolean(file.get(), group, "X-GNOME-Autostart-enabled", TRUE);
    std::error_code error;
    std::filesystem::create_directories(folder(), error);
    // g_key_file_save_to_file writes a temporary file and renames it into place.
    if (auto entry = freeEntryFile())
        g_key_file_save_to_file(file.get(), entry->c_str(), nullptr);
}

}
