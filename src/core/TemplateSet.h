#pragma once

#include "core/GesturePoint.h"
#include "core/GestureStroke.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace scriblo {

class GestureTemplate;

// All the templates of one gesture, kept the way matching reads them: one block with
// every template's start direction and then its processed coordinates (its x values,
// then its y values), and where each template's coordinates begin. A full store holds
// about fifty thousand templates, whose coordinates alone take 60 MiB, so nothing else
// is kept per template: the original strokes are the gesture's own, shared, and a
// template's number says which unistroke it is (the order's place times 2ⁿ plus the
// direction bits).
class TemplateSet : public std::enable_shared_from_this<TemplateSet> {
public:
    using Source = std::shared_ptr<const std::vector<GestureStroke>>;

    // One template for every unistroke of the drawn strokes, in unistroke order.
    static std::shared_ptr<const TemplateSet> generate(Source strokes);
    // One template made from one stroke as it is.
    static std::shared_ptr<const TemplateSet> single(GestureStroke unistroke);
    // The set of a gesture that has none.
    static const TemplateSet& none();

    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    GestureTemplate operator[](size_t index) const;

    int32_t pointCount(size_t index) const { return int32_t((m_offsets[index + 1] - m_offsets[index]) / 2); }
    const float* xs(size_t index) const { return m_numbers.get() + 2 * m_size + m_offsets[index]; }
    const float* ys(size_t index) const { return xs(index) + pointCount(index); }
    GesturePoint startUnitVector(size_t index) const { return GesturePoint(m_numbers[2 * index], m_numbers[2 * index + 1], 0); }
    const Source& source() const { return m_source; }

private:
    static std::shared_ptr<const TemplateSet> make(Source source, const std::vector<GestureStroke>& resampled);

    Source m_source;
    size_t m_size { 0 };
    // Where each template's coordinates begin among the coordinates, and one past the last.
    std::unique_ptr<uint32_t[]> m_offsets;
    // Two numbers of start direction per template, then the coordinates.
    std::unique_ptr<float[]> m_numbers;
};

}
