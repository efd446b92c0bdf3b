#pragma once

#include "multitouch/MultitouchTouch.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace scriblo {

// One contact frame. A single event object is shared by all listeners of the frame;
// a listener may replace its touches, and listeners served later see the replacement.
class MultitouchEvent {
public:
    MultitouchEvent(int32_t deviceIdentifier, int32_t frameIdentifier, double timestamp,
                    std::vector<MultitouchTouch> touches);

    // Wraps one frame of framework records.
    static std::shared_ptr<MultitouchEvent> fromRecords(int32_t deviceIdentifier, const MTTouch* records,
                                                        int32_t count, double timestamp, int32_t frame);

    int32_t deviceIdentifier() const { return m_deviceIdentifier; }
    int32_t frameIdentifier() const { return m_frameIdentifier; }
    double timestamp() const { return m_timestamp; }
    // Listeners may run on different threads, so the list is read and replaced whole.
    std::vector<MultitouchTouch> touches() const;
    void setTouches(std::vector<MultitouchTouch> touches);

    std::string description() const;

private:
    const int32_t m_deviceIdentifier;
    const int32_t m_frameIdentifier;
    const double m_timestamp;
    mutable std::mutex m_touchesMutex;
    std::vector<MultitouchTouch> m_touches;
};

using MultitouchEventPointer = std::shared_ptr<MultitouchEvent>;

}
