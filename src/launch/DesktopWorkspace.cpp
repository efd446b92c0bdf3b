// GIO only: its headers clash with Qt's keywords, so no Qt header may come in here.
#include "launch/DesktopWorkspace.h"

#include "launch/BrowserEntries.h"
#include "launch/DesktopBrowserScripting.h"
#include "launch/DesktopEntries.h"
#include "launch/GioHandle.h"
#include "launch/BrowserPage.h"
#include "platform/XdgPaths.h"

#include <gio/gdesktopappinfo.h>
#include <filesystem>
#include <stdexcept>

namespace scriblo {

namespace {

[[noreturn]] void fail(GError* error)
{
    std::string message = error ? error->message : "unknown failure";
    g_clear_error(&error);
    throw std::runtime_error(message);
}

std::optional<std::string> startupId(StartupNotifier& notifier, GDesktopAppInfo* info)
{
    const char* executable = g_app_info_get_executable(G_APP_INFO(info));
    std::string program = executable ? std::filesystem::path(executable).filename().string() : "";
    // Only an entry that promises to end the notice is announced; others would leave the
    // desktop showing a busy launch until it gives up. The ID still lets their window
    // take the focus.
    bool announce = g_desktop_app_info_get_boolean(info, "StartupNotify");
    return notifier.begin(program, g_app_info_get_name(G_APP_INFO(info)), announce);
}

}

DesktopWorkspace::DesktopWorkspace(std::shared_ptr<StartupNotifier> startupNotifier)
    : m_startupNotifier(std::move(startupNotifier))
{
}

void DesktopWorkspace::launchApplication(const std::string& desktopId)
{
    auto file = DesktopEntries::findFile(desktopId);
    if (!file)
        throw std::runtime_error("no desktop entry " + desktopId);
    GioObject<GDesktopAppInfo> info(g_desktop_app_info_new_from_filename(file->c_str()));
    if (!info)
        throw std::runtime_error("unusable desktop entry " + file->string());
    // The launch context sets up the program's environment as menus do, including the
    // startup ID that lets its window take the focus.
    GioObject<GAppLaunchContext> context(g_app_launch_context_new());
    std::optional<std::string> id = m_startupNotifier ? startupId(*m_startupNotifier, info.get()) : std::nullopt;
    if (id)
        g_app_launch_context_setenv(context.get(), "DESKTOP_STARTUP_ID", id->c_str());
    GError* error = nullptr;
    if (!g_app_info_launch(G_APP_INFO(info.get()), nullptr, context.get(), &error)) {
        if (id)
            m_startupNotifier->cancel(*id);
        fail(error);
    }
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
