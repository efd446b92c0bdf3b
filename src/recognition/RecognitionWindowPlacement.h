#pragma once

#include "recognition/PointerWhereabouts.h"
#include "recognition/RecognitionWindowGeometry.h"

namespace scriblo {

struct TouchFrame;

// Where the recognition window opens: on the screen the user is looking at, which the X
// pointer tells unless a touchpad moves a pointer that X never sees.
class RecognitionWindowPlacement {
public:
    explicit RecognitionWindowPlacement(bool xPointerAlwaysCurrent)
        : m_pointer(xPointerAlwaysCurrent) { }

    // Every touchpad frame that moves the pointer, so a later layout knows where it went.
    void followTouchpad(const TouchFrame& frame);
    RecognitionWindowLayout layout(WindowSize size);

private:
    PointerWhereabouts m_pointer;
};

}
