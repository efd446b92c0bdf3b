#include "launch/Launchable.h"

#include <exception>
#include <string_view>
#include <thread>

namespace scriblo {

namespace {

// A desktop entry, bookmark or file may carry a blank name; the last part of the
// identity (the file's name, the page's last path segment) still tells targets apart.
std::string nameOrIdentityPart(std::string name, const std::string& launchId)
{
    if (name.find_first_not_of(" \t\r\n") != std::string::npos)
        return name;
    std::string_view identity(launchId);
    while (identity.size() > 1 && identity.back() == '/')
        identity.remove_suffix(1);
    size_t slash = identity.rfind('/');
    std::string_view part = slash == std::string_view::npos ? identity : identity.substr(slash + 1);
    return std::string(part.empty() ? identity : part);
}

}

Launchable::Launchable(std::string displayName, std::string launchId, std::string icon)
    : m_displayName(nameOrIdentityPart(std::move(displayName), launchId))
    , m_launchId(std::move(launchId))
    , m_icon(std::move(icon))
{
}

namespace {

void report(const LaunchFinished& finished, const LaunchResult& result)
{
    if (finished)
        finished(result);
}

}

void Launchable::launchWithNewThread(LaunchThread thread, LaunchFinished finished)
{
    if (thread == LaunchThread::Calling) {
        report(finished, launchHere());
        return;
    }
    try {
        // The thread's share keeps the target alive through a catalogue refresh.
        std::thread([self = shared_from_this(), finished] { report(finished, self->launchHere()); }).detach();
    } catch (const std::exception& error) {
        // No thread to be had, or no owner to share: the launch never began.
        report(finished, Failure { std::string("cannot start a launch: ") + error.what() });
    }
}

LaunchResult Launchable::launchHere()
{
    try {
        launch();
        return std::monostate {};
    } catch (const std::exception& error) {
        return Failure { error.what() };
    } catch (...) {
        return Failure { "unknown failure" };
    }
}

std::string Launchable::description() const
{
    return "nothing to launch for " + m_launchId;
}

}
