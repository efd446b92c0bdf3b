#include "multitouch/MultitouchEvent.h"

#include <algorithm>
#include <cstdio>

namespace scriblo {

MultitouchEvent::MultitouchEvent(int32_t deviceIdentifier, int32_t frameIdentifier, double timestamp,
                                 std::vector<MultitouchTouch> touches)
    : m_deviceIdentifier(deviceIdentifier)
    , m_frameIdentifier(frameIdentifier)
    , m_timestamp(timestamp)
    , m_touches(std::move(touches))
{
}

std::shared_ptr<MultitouchEvent> MultitouchEvent::fromRecords(int32_t deviceIdentifier, const MTTouch* records,
                                                              int32_t count, double timestamp, int32_t frame)
{
    std::vector<MultitouchTouch> touches;
    touches.reserve(size_t(std::max(count, 0)));
    for (int32_t index = 0; index < count; ++index)
        touches.emplace_back(records[index]);
    return std::make_shared<MultitouchEvent>(deviceIdentifier, frame, timestamp, std::move(touches));
}

std::vector<MultitouchTouch> MultitouchEvent::touches() const
{
    std::lock_guard lock(m_touchesMutex);
    return m_touches;
}

void MultitouchEvent::setTouches(std::vector<MultitouchTouch> touches)
{
    std::lock_guard lock(m_touchesMutex);
    m_touches = std::move(touches);
}

std::string MultitouchEvent::description() const
{
    char head[128];
    std::snprintf(head, sizeof head, "Device: %i, Frame: %i, Time: %f, Touches: ", m_deviceIdentifier,
                  m_frameIdentifier, m_timestamp);
    // The list prints as a parenthesised, indented block, one touch a line.
    std::string text = std::string(head) + "(";
    auto touchList = touches();
    for (size_t index = 0; index < touchList.size(); ++index)
        text += (index ? ",\n    " : "\n    ") + touchList[index].description();
    return text + "\n)";
}

}
