#include "appearance/DarkMode.h"

#include <atomic>

namespace scriblo {

namespace {

std::atomic<bool> darkFlag { false };

}

bool DarkMode::isDark()
{
    return darkFlag.load(std::memory_order_relaxed);
}

void DarkMode::setDark(bool dark)
{
    if (darkFlag.exchange(dark) != dark)
        Q_EMIT notifier().darkChanged(dark);
}

DarkMode& DarkMode::notifier()
{
    static DarkMode instance;
    return instance;
}

}
