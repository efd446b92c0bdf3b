#pragma once

#include "core/GesturePoint.h"
#include "core/GestureStroke.h"

#include <string>

namespace scriblo {

// One unistroke version of a gesture, preprocessed for matching: resampled, scaled into
// the square and centred on the origin, with the direction in which it starts.
class GestureTemplate {
public:
    GestureTemplate() = default;
    explicit GestureTemplate(GestureStroke unistroke);

    const GestureStroke& stroke() const { return m_stroke; }
    void setStroke(GestureStroke stroke) { m_stroke = std::move(stroke); }
    const GestureStroke& originalStroke() const { return m_originalStroke; }
    void setOriginalStroke(GestureStroke stroke) { m_originalStroke = std::move(stroke); }
    const GesturePoint& startUnitVector() const { return m_startUnitVector; }
    void setStartUnitVector(const GesturePoint& vector) { m_startUnitVector = vector; }

    // A copy recomputes the processed fields from the original stroke.
    GestureTemplate copy() const { return GestureTemplate(m_originalStroke); }

    std::string description() const;

private:
    friend class Gesture;
    // For template generation, which resamples all of a gesture's unistrokes together.
    GestureTemplate(GestureStroke unistroke, GestureStroke resampled);

    GestureStroke m_stroke;
    GestureStroke m_originalStroke;
    GesturePoint m_startUnitVector;
};

}
