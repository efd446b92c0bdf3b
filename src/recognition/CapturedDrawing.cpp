#include "recognition/CapturedDrawing.h"

namespace scriblo {

void CapturedDrawing::beginStroke(int32_t strokeId)
{
    m_orderedStrokeIds.push_back(strokeId);
    m_gestureStrokes.emplace(strokeId, GestureStroke());
}

void CapturedDrawing::addPoint(const GesturePoint& point)
{
    m_gestureStrokes[point.strokeId()].addPoint(point);
}

void CapturedDrawing::beginPath(int32_t strokeId, ViewPoint start)
{
    m_paths[strokeId] = { start };
}

void CapturedDrawing::extendPath(int32_t strokeId, ViewPoint to)
{
    auto path = m_paths.find(strokeId);
    if (path != m_paths.end())
        path->second.push_back(to);
}

std::vector<GestureStroke> CapturedDrawing::orderedStrokes() const
{
    std::vector<GestureStroke> strokes;
    strokes.reserve(m_orderedStrokeIds.size());
    for (int32_t strokeId : m_orderedStrokeIds)
        strokes.push_back(m_gestureStrokes.at(strokeId));
    return strokes;
}

std::vector<GestureStroke> CapturedDrawing::takeOrderedStrokes()
{
    std::vector<GestureStroke> strokes;
    strokes.reserve(m_orderedStrokeIds.size());
    for (int32_t strokeId : m_orderedStrokeIds)
        strokes.push_back(std::move(m_gestureStrokes.at(strokeId)));
    return strokes;
}

}
