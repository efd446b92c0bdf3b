#pragma once

#include "recognition/RecognitionWindowGeometry.h"
#include "recognition/TouchFrame.h"

#include <functional>
#include <optional>

namespace scriblo {

// Where the pointer is, as well as an X client can tell. In an X11 session the X
// pointer is always where the user sees it. Through XWayland it is only while the
// pointer is over X windows: over native ones X keeps the last position it saw. The
// touchpad tells the two apart: while one finger moves the pointer, X either follows
// it or stands still.
class PointerWhereabouts {
public:
    // How often the X pointer is read while a finger moves it: each read is a round
    // trip to the X server.
    static constexpr double sampleInterval = 0.1;
    // A finger moving this long without the X pointer moving is over native windows.
    static constexpr double standstillForStale = 0.25;

    enum class Source { XPointer, LastTouchpadMotion, PrimaryScreen };
    struct Answer {
        Source source;
        // Not meaningful for the primary screen.
        GeometryPoint position;
    };

    explicit PointerWhereabouts(bool xPointerAlwaysCurrent)
        : m_xPointerAlwaysCurrent(xPointerAlwaysCurrent) { }

    // Every touchpad frame; `readXPointer` is called only when a sample is due.
    void handleFrame(const TouchFrame& frame, const std::function<GeometryPoint()>& readXPointer);
    // The best position this session offers, given the X pointer's position now.
    Answer locate(GeometryPoint xPointer);

private:
    static bool movesPointer(const TouchFrame& frame);
    void sample(GeometryPoint xPointer, double time);

    bool m_xPointerAlwaysCurrent;
    bool m_xFollows = false;
    std::optional<GeometryPoint> m_lastSeen;
    std::optional<GeometryPoint> m_lastRead;
    // Within the current one-finger contact.
    bool m_inContact = false;
    double m_lastSample = 0;
    double m_unchangedSince = 0;
};

}
