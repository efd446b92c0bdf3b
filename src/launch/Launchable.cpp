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

void Launchable::launchWithNewThread(bool newThread)
{
    // A failed launch is silent by design: the user simply sees nothing start.
    if (!newThread) {
        launchHere();
        return;
    }
    try {
        // The thread's share keeps the target alive through a catalogue refresh.
        std::thread([self = shared_from_this()] { self->launchHere(); }).detach();
    } catch (const std::exception&) {
        // No thread to be had (or no owner to share): the launch is dropped like any failure.
    }
}

std::optional<std::string> Launchable::launchHere()
{
    try {
        launch();
        return std::nullopt;
    } catch (const std::exception& error) {
        return std::string(error.what());
    } catch (...) {
        return std::string("unknown failure");
    }
}

std::string Launchable::description() const
{
    return "nothing to launch for " + m_launchId;
}

}
