#pragma once

#include "core/GesturePoint.h"
#include "core/GestureStroke.h"
#include "core/TemplateSet.h"

#include <cstdint>
#include <memory>
#include <string>

namespace scriblo {

// One unistroke version of a gesture, preprocessed for matching: resampled, scaled into
// the square and centred on the origin, with the direction in which it starts. It is a
// place in its gesture's TemplateSet, which holds the numbers; the processed points'
// stroke identifiers are derived again from the original stroke when asked for.
// Templates never change, so copies share all of it.
class GestureTemplate {
public:
    GestureTemplate() = default;
    explicit GestureTemplate(GestureStroke unistroke);
    GestureTemplate(std::shared_ptr<const TemplateSet> set, uint32_t index)
        : m_set(std::move(set)), m_index(index) { }

    GestureStroke stroke() const;
    GestureStroke originalStroke() const;
    GesturePoint startUnitVector() const { return m_set ? m_set->startUnitVector(m_index) : GesturePoint(); }

    int32_t pointCount() const { return m_set ? m_set->pointCount(m_index) : 0; }
    const float* xs() const { return m_set ? m_set->xs(m_index) : nullptr; }
    const float* ys() const { return m_set ? m_set->ys(m_index) : nullptr; }

    // A copy recomputes the processed fields from the original stroke.
    GestureTemplate copy() const { return GestureTemplate(originalStroke()); }

    std::string description() const;

private:
    std::shared_ptr<const TemplateSet> m_set;
    uint32_t m_index { 0 };
};

}
