#pragma once

#include <optional>

namespace scriblo {

// Whether each of the setup window's gesture buttons may be pressed.
struct SetupButtons {
    bool assign = false;
    bool addDrawing = false;
    bool show = false;
    bool clear = false;

    bool operator==(const SetupButtons&) const = default;
};

// Which buttons the setup window offers after each event that touches them.
class SetupButtonRules {
public:
    // What a refresh found: nothing selected, or a selected target with or without a
    // stored gesture, which may keep as many drawings as a gesture can.
    enum class Selection { None, TargetWithoutGesture, TargetWithGesture, TargetWithAllDrawings };

    // With nothing selected the buttons stay as they were: a refresh on its own never
    // turns a running assignment's buttons back on.
    static SetupButtons afterRefresh(SetupButtons current, Selection selection);
    // A new kind of target, the table losing the focus, or an assignment starting.
    static SetupButtons allOff() { return {}; }
};

}
