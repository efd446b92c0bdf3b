#pragma once

#include "core/Gesture.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace scriblo {

class GestureSetupView;
class GestureSetupWindow;

// Which drawing of the selected gesture the setup window's drawing area shows: each press
// of Show replays the next one, and the area names it ("Drawing 2 of 3") beside a Remove
// Drawing button, so a single drawing is picked out by looking at it, mouse or keyboard.
class SelectedGestureDrawings {
public:
    struct Shown {
        std::string identity;
        int32_t index = 0;
    };

    SelectedGestureDrawings(GestureSetupWindow& window, GestureSetupView& view);

    // Replays the drawing after the one shown, or the first, of `gesture`.
    void showNext(const std::shared_ptr<const Gesture>& gesture);
    // The drawing area was cleared.
    void forget();
    const std::optional<Shown>& shown() const { return m_shown; }

    // Which drawing comes after `shown` in a gesture of `count` drawings: from the first
    // again after the last, and the first for another gesture.
    static int32_t nextIndex(const std::optional<Shown>& shown, const std::string& identity, int32_t count);

private:
    GestureSetupWindow& m_window;
    GestureSetupView& m_view;
    std::optional<Shown> m_shown;
};

}
