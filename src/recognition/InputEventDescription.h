#pragma once

#include <cstdint>

namespace scriblo {

enum class InputEventKind { Key, ButtonPress, ButtonRelease, Motion, Scroll, Other };
enum class MouseButton { None, Primary, Secondary, Other };

// What the event filter rules read of one input event of the desktop.
struct InputEventDescription {
    InputEventKind kind = InputEventKind::Other;
    MouseButton button = MouseButton::None;
    // For scrolls: how many scroll steps the event carries. Zero marks the platform's
    // momentum and phase events that scroll nothing by themselves.
    int64_t scrollCount = 0;
};

}
