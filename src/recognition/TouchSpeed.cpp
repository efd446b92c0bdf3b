#include "recognition/TouchSpeed.h"

#include <cmath>

namespace scriblo {

void TouchSpeed::add(const FrameTouch& touch)
{
    double speed = std::fabs(double(touch.velX)) + std::fabs(double(touch.velY));
    m_total = float(double(m_total) + speed);
    ++m_touchCount;
}

void TouchSpeed::addAll(const std::vector<FrameTouch>& touches)
{
    for (const FrameTouch& touch : touches)
        add(touch);
}

float TouchSpeed::mean() const
{
    return m_total / float(m_touchCount);
}

float TouchSpeed::magnitude(const FrameTouch& touch)
{
    return std::sqrt(touch.velX * touch.velX + touch.velY * touch.velY);
}

}
