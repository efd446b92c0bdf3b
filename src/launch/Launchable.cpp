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
    try {
        if (newThread) {
            // The thread's share keeps the target alive through a catalogue refresh.
            std::thread([self = shared_from_this()] { self->launchWithNewThread(false); }).detach();
            return;
        }
        launch();
    } catch (...) {
        // A failed launch is silent by design: the user simply sees nothing start.
    }
}

std::string Launchable::description() const
{
    return "nothing to launch for " + m_launchId;
}

}
