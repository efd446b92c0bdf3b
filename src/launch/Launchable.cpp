#include "launch/Launchable.h"

#include <exception>
#include <thread>

namespace scriblo {

Launchable::Launchable(std::string displayName, std::string launchId, std::string icon)
    : m_displayName(std::move(displayName))
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
