#pragma once

#include <QPalette>

namespace scriblo {

// The look of the program's ordinary windows (My Gestures, the import preview, message
// boxes and dialogs): light or dark as the desktop is. The setup and recognition windows
// keep a dark look of their own whatever the desktop shows.
class StandardLook {
public:
    // Light is the style's own palette; dark keeps every text at 4.5:1 or more against
    // what it stands on.
    static QPalette palette(bool dark);
    // Gives the application the palette for the desktop's appearance now and at every
    // change. Main thread only.
    static void follow();
};

}
