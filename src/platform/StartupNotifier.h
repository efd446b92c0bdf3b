#pragma once

#include <optional>
#include <string>

namespace scriblo {

// Startup notification for programs launched from a gesture: the ID handed to the new
// program lets its first window take the focus on desktops that refuse focus to windows
// nobody asked for, and an announced launch shows as busy until that window appears.
// Qt-free, so the GIO launch code may use it.
class StartupNotifier {
public:
    virtual ~StartupNotifier() = default;
    // An ID for launching `program` (its binary name); when `announce` is set, the
    // desktop is told a launch has begun, naming it `name`. No value when the desktop
    // cannot be reached.
    virtual std::optional<std::string> begin(const std::string& program, const std::string& name, bool announce) = 0;
    // The launch failed: the desktop stops waiting for a window.
    virtual void cancel(const std::string& startupId) = 0;
};

}
