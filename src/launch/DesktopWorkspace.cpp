// GIO only: its headers clash with Qt's keywords, so no Qt header may come in here.
#include "launch/DesktopWorkspace.h"

#include "launch/BrowserEntries.h"
#include "launch/DesktopBrowserScripting.h"
#include "launch/DesktopEntries.h"
#include "launch/GioHandle.h"
#include "launch/SafariPage.h"
#include "platform/XdgPaths.h"

#include <gio/gdesktopappinfo.h>
#include <stdexcept>

namespace scriblo {

namespace {

[[noreturn]] void fail(GError* error)
{
    std::string message = error ? error->message : "unknown failure";
    g_clear_error(&error);
    throw std::runtime_error(message);
}

}

void DesktopWorkspace::launchApplication(const std::string& desktopId)
{
    auto file = DesktopEntries::findFile(desktopId);
    if (!file)
        throw std::runtime_error("no desktop entry " + desktopId);
    GioObject<GDesktopAppInfo> info(g_desktop_app_info_new_from_filename(file->c_str()));
    if (!info)
        throw std::runtime_error("unusable desktop entry " + file->string());
    // The launch context lets GIO hand the new program a startup notification id when
    // the desktop provides one, and sets up the program's environment as menus do.
    GioObject<GAppLaunchContext> context(g_app_launch_context_new());
    GError* error = nullptr;
    if (!g_app_info_launch(G_APP_INFO(info.get()), nullptr, context.get(), &error))
        fail(error);
}

void DesktopWorkspace::runProgram(const std::filesystem::path& program)
{
    // No search path and no shell: the file name is passed on byte for byte, whatever
    // spaces, quotes or semicolons it holds. Without DO_NOT_REAP_CHILD GLib detaches the
    // child through an intermediate process, so no zombie is left behind.
    std::string path = program.string();
    std::string home = XdgPaths::home().string();
    char* arguments[] = { path.data(), nullptr };
    GError* error = nullptr;
    if (!g_spawn_async(home.c_str(), arguments, nullptr, G_SPAWN_STDIN_FROM_DEV_NULL, nullptr, nullptr, nullptr, &error))
        fail(error);
}

std::unique_ptr<BrowserScripting> DesktopWorkspace::browserScripting(const std::string& browserId)
{
    if (auto entry = BrowserEntries::installedEntry(browserId))
        return std::make_unique<DesktopBrowserScripting>(entry->file);
    // Safari does not run on Linux; its bookmarks open in the default browser.
    if (browserId == SafariPage::browserId)
        return std::make_unique<DesktopBrowserScripting>(std::nullopt);
    return nullptr;
}

std::optional<std::string> DesktopWorkspace::defaultApplicationForType(const std::string& contentType)
{
    GioObject<GAppInfo> info(g_app_info_get_default_for_type(contentType.c_str(), FALSE));
    if (!info || !g_app_info_get_id(info.get()))
        return std::nullopt;
    return std::string(g_app_info_get_id(info.get()));
}

}
