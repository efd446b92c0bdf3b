#pragma once

#include "base/Clock.h"

#include <cstdint>
#include <optional>

namespace scriblo {

// Places the millisecond timestamps that an input source stamps on its events (the X
// server's clock: 32 bits, wrapping after 49 days, its own epoch) on the steady clock,
// so that rules about the user's timing judge when the user acted, not when a busy
// process got round to reading the event. The offset between the two clocks is the
// smallest delay seen so far, the one closest to the moment an event was made.
class InputTimeline {
public:
    // A delay this much longer than the smallest seen is taken as the clocks having
    // moved apart (a remote server's clock drifting, a server started again) rather than
    // as an event read late, and the timeline starts again from that event.
    static constexpr SteadyDuration driftLimit = std::chrono::seconds(1);

    explicit InputTimeline(const Clock& clock) : m_clock(clock) { }

    SteadyTime steadyTime(uint32_t milliseconds)
    {
        // Signed, so an event a moment older than the last one read moves back a little
        // rather than forward by 49 days; unsigned wrap carries the count across zero.
        m_unwrapped += m_last ? int64_t(int32_t(milliseconds - *m_last)) : int64_t(milliseconds);
        m_last = milliseconds;
        auto stamped = std::chrono::duration_cast<SteadyDuration>(std::chrono::milliseconds(m_unwrapped));
        SteadyDuration offset = m_clock.now().time_since_epoch() - stamped;
        if (!m_offset || offset < *m_offset || offset - *m_offset > driftLimit)
            m_offset = offset;
        return SteadyTime(stamped + *m_offset);
    }

private:
    const Clock& m_clock;
    std::optional<uint32_t> m_last;
    int64_t m_unwrapped = 0;
    std::optional<SteadyDuration> m_offset;
};

}
