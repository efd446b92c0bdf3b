#pragma once

#include "core/GesturePoint.h"
#include "core/GestureStroke.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace scriblo {

// One unistroke version of a gesture, preprocessed for matching: resampled, scaled into
// the square and centred on the origin, with the direction in which it starts.
//
// A full store holds about fifty thousand templates, so each keeps only what matching
// reads: the processed coordinates, as an array of x followed by an array of y. The
// original stroke is a reference to the gesture's strokes with the unistroke's number,
// and the processed points' stroke identifiers are derived again from it when asked for.
// Templates never change, so copies share all of it.
class GestureTemplate {
public:
    GestureTemplate() = default;
    explicit GestureTemplate(GestureStroke unistroke);

    GestureStroke stroke() const;
    GestureStroke originalStroke() const;
    const GesturePoint& startUnitVector() const { return m_startUnitVector; }
    void setStartUnitVector(const GesturePoint& vector) { m_startUnitVector = vector; }

    int32_t pointCount() const { return m_pointCount; }
    const float* xs() const { return m_coordinates.get(); }
    const float* ys() const { return m_coordinates.get() + m_pointCount; }

    // A copy recomputes the processed fields from the original stroke.
    GestureTemplate copy() const { return GestureTemplate(originalStroke()); }

    std::string description() const;

private:
    friend class Gesture;
    using Source = std::shared_ptr<const std::vector<GestureStroke>>;

    // For template generation, which resamples all of a gesture's unistrokes together
    // and keeps their coordinates in one block, from `offset` on.
    GestureTemplate(Source source, uint32_t unistroke, const GestureStroke& resampled, const std::shared_ptr<float[]>& block, size_t offset);

    Source m_source;
    std::shared_ptr<const float[]> m_coordinates;
    int32_t m_pointCount { 0 };
    // Which of the source's unistrokes, in template order: the order's place times 2ⁿ
    // plus the direction bits.
    uint32_t m_unistroke { 0 };
    GesturePoint m_startUnitVector;
};

}
