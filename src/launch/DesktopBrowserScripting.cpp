// GIO only: its headers clash with Qt's keywords, so no Qt header may come in here.
#include "launch/DesktopBrowserScripting.h"

#include "launch/GioHandle.h"

#include <gio/gdesktopappinfo.h>
#include <stdexcept>

namespace scriblo {

DesktopBrowserScripting::DesktopBrowserScripting(std::optional<std::filesystem::path> entryFile)
    : m_entryFile(std::move(entryFile))
{
}

size_t DesktopBrowserScripting::addTab(size_t, const std::string& url)
{
    open(url);
    return 0;
}

void DesktopBrowserScripting::open(const std::string& url)
{
    // The address becomes a word of the browser's command line, and bookmarks come from
    // files anyone may have written or synced: one that begins with "-" would be taken as
    // an option (Chromium's --renderer-cmd-prefix runs any program). Every real bookmark
    // begins with a scheme, which cannot begin with "-".
    if (GioHandle<char> scheme { g_uri_parse_scheme(url.c_str()) }; !scheme)
        throw std::runtime_error("not a web address: " + url);
    GioObject<GAppLaunchContext> context(g_app_launch_context_new());
    GError* error = nullptr;
    bool opened = false;
    if (!m_entryFile) {
        opened = g_app_info_launch_default_for_uri(url.c_str(), context.get(), &error);
    } else if (GioObject<GDesktopAppInfo> info { g_desktop_app_info_new_from_filename(m_entryFile->c_str()) }) {
        GList uris { const_cast<char*>(url.c_str()), nullptr, nullptr };
        opened = g_app_info_launch_uris(G_APP_INFO(info.get()), &uris, context.get(), &error);
    }
    std::string message = error ? error->message : "cannot open " + url;
    g_clear_error(&error);
    if (!opened)
        throw std::runtime_error(message);
}

}
