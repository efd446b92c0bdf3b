#pragma once

#include "platform/StartupNotifier.h"

#include <atomic>

namespace scriblo {

// The X11 startup notification protocol: an ID that ends in the X server's time, so the
// window manager can tell the launch apart from older input, and "new:"/"remove:"
// messages broadcast on the root window. Each call opens its own short connection,
// since launches run on threads of their own.
class X11StartupNotifier final : public StartupNotifier {
public:
    std::optional<std::string> begin(const std::string& program, const std::string& name, bool announce) override;
    void cancel(const std::string& startupId) override;

    // A protocol value, quoted where it needs to be.
    static std::string quoted(const std::string& value);

private:
    std::atomic<unsigned> m_sequence { 0 };
};

}
