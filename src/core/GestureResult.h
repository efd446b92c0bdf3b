#pragma once

#include <cstdint>
#include <string>

namespace scriblo {

// The outcome of one recognition; a result handed out always scores 1 to 100.
class GestureResult {
public:
    int32_t score() const { return m_score; }
    void setScore(int32_t score) { m_score = score; }
    const std::string& gestureIdentity() const { return m_gestureIdentity; }
    void setGestureIdentity(std::string identity) { m_gestureIdentity = std::move(identity); }

private:
    int32_t m_score { 0 };
    std::string m_gestureIdentity;
};

}
