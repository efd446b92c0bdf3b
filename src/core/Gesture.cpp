#include "core/Gesture.h"

#include <algorithm>
#include <bit>

namespace scriblo {

void Gesture::setStrokes(std::vector<GestureStroke> strokes)
{
    auto drawn = std::make_shared<const std::vector<GestureStroke>>(std::move(strokes));
    if (m_drawings.empty())
        m_drawings.push_back(std::move(drawn));
    else
        m_drawings.front() = std::move(drawn);
    if (!m_templates.empty())
        m_templates.front().reset();
}

const std::vector<GestureStroke>& Gesture::drawing(int32_t index) const
{
    if (index < 0 || index >= drawingCount())
        return noStrokes();
    return *m_drawings[size_t(index)];
}

void Gesture::addDrawing(std::vector<GestureStroke> strokes)
{
    m_drawings.push_back(std::make_shared<const std::vector<GestureStroke>>(std::move(strokes)));
}

void Gesture::removeDrawing(int32_t index)
{
    if (index < 0 || index >= drawingCount() || drawingCount() == 1)
        return;
    m_drawings.erase(m_drawings.begin() + index);
    if (size_t(index) < m_templates.size())
        m_templates.erase(m_templates.begin() + index);
}

const TemplateSet& Gesture::templates(int32_t drawing) const
{
    if (drawing < 0 || size_t(drawing) >= m_templates.size() || !m_templates[size_t(drawing)])
        return TemplateSet::none();
    return *m_templates[size_t(drawing)];
}

void Gesture::generateTemplates()
{
    // A gesture made without strokes still gets its (empty) first drawing's templates.
    if (m_drawings.empty())
        m_drawings.push_back(std::make_shared<const std::vector<GestureStroke>>());
    m_templates.resize(m_drawings.size());
    for (size_t i = 0; i < m_drawings.size(); ++i) {
        if (!m_templates[i])
            m_templates[i] = TemplateSet::generate(m_drawings[i]);
    }
}

const std::vector<GestureStroke>& Gesture::noStrokes()
{
    static const std::vector<GestureStroke> none;
    return none;
}

int64_t Gesture::pointCountOf(const std::vector<GestureStroke>& drawing)
{
    int64_t count = 0;
    for (const auto& stroke : drawing)
        count += stroke.pointCount();
    return count;
}

int32_t Gesture::totalPointCount() const
{
    return int32_t(std::min<int64_t>(pointCountOf(strokes()), INT32_MAX));
}

int64_t Gesture::pointCountOfAllDrawings() const
{
    int64_t count = 0;
    for (const auto& drawn : m_drawings)
        count += pointCountOf(*drawn);
    return count;
}

int64_t Gesture::templateCountOf(size_t strokeCount)
{
    // n! orders of the strokes, each stroke either way round; no more than the store's
    // stroke limit is ever asked about, so this cannot overflow.
    if (strokeCount == 0)
        return 0;
    int64_t count = 1;
    for (size_t n = 1; n <= strokeCount; ++n)
        count *= int64_t(n) * 2;
    return count;
}

int64_t Gesture::templateCountOfAllDrawings() const
{
    int64_t count = 0;
    for (const auto& drawn : m_drawings)
        count += templateCountOf(drawn->size());
    return count;
}

uint64_t Gesture::firstDrawingFingerprint() const
{
    uint64_t hash = 0xCBF29CE484222325ull;
    auto mix = [&](uint64_t word) {
        hash = (hash ^ word) * 0x100000001B3ull;
        hash ^= hash >> 29;
    };
    for (const auto& stroke : strokes()) {
        mix(uint64_t(stroke.pointCount()));
        for (const auto& point : stroke.points())
            mix(uint64_t(std::bit_cast<uint32_t>(point.x())) << 32 | std::bit_cast<uint32_t>(point.y()));
    }
    return hash >> 2;
}

std::string Gesture::description() const
{
    std::string text;
    for (const auto& stroke : strokes())
        text += stroke.description() + " \r";
    return text;
}

}
