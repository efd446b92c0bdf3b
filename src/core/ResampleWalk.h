#pragma once

#include "core/GestureStroke.h"
#include "core/Unistrokes.h"

#include <span>
#include <vector>

namespace scriblo {

// The resampling walk, one examination at a time. A walk is a chain of dependent
// divisions and square roots, so it is bound by latency rather than by work; stepping
// several independent walks in turn lets the processor overlap them.
//
// The walk drops a point each time the measured distance passes the interval. A split
// point becomes the start of the next segment examined, exactly as if it had been
// inserted into the walked list; keeping it in `previous` avoids quadratic inserts.
class ResampleWalk {
public:
    // Once a difference no longer fits 32 bits its truncated measure saturates, so
    // splitting such a segment makes no measured progress and would go on almost for ever.
    // Drawings in the 0..1000 space stay far below this many points.
    static constexpr int32_t maximumPointCount = 64 * 160;

    explicit ResampleWalk(const GestureStroke& stroke);

    // Measures each drawn segment into `segments[i]` (the distance from point i - 1 to
    // point i) and gives the interval between placed points.
    static float measure(const std::vector<GesturePoint>& points, float* segments);

    // The walked points, filled up to 160 with copies of the last drawn point.
    static GestureStroke resample(const GestureStroke& stroke);
    // Resamples every unistroke, several walks at a time: sixteen in AVX2 lanes where
    // the processor has them, else four in turn.
    static std::vector<GestureStroke> resampleUnistrokes(std::span<const unistrokes::Path> paths);

private:
    bool isDone() const { return m_done; }
    // Made inline where the walks run: a step is short, and a call would save and restore
    // registers at every placed point.
    void step();
    // Walks whatever is left, then fills up to the resampled count.
    GestureStroke finish() &&;
    static void resampleJoined(std::span<const unistrokes::Path> paths, std::vector<GestureStroke>& resampled);
    static void resampleInTurn(const std::vector<GestureStroke>& strokes, size_t first, size_t end,
                               std::vector<GestureStroke>& resampled);

    const std::vector<GesturePoint>& m_points;
    // Each drawn segment is measured once, for the length and for its first examination.
    std::vector<float> m_segments;
    std::vector<GesturePoint> m_resampled;
    GesturePoint m_previous;
    size_t m_next { 1 };
    float m_interval { 0 };
    float m_travelled { 0 };
    float m_distance { 0 };
    bool m_done { false };
};

}
