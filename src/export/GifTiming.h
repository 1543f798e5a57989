#pragma once

// GIF delays are whole centiseconds. Rounding every frame on its own drifts
// (ten frames of 45 ms would play as 50 ms each, half a second too long), so
// each delay is the rounded running total minus what was already written.
// Browsers play delays of 0 and 1 cs as 10 cs; no delay is written under
// 2 cs, and the total catches up over the following frames.

#include <algorithm>
#include <cstdint>

namespace exporter {

inline constexpr std::int32_t kMinDelayCs = 2;
// The delay field holds 16 bits.
inline constexpr std::int32_t kMaxDelayCs = 65535;

class DelayClock {
public:
    // The delay of a frame shown for `milliseconds` after the ones before
    // it; an interval of 0 or less counts as 0. The result can pass
    // kMaxDelayCs: the writer then splits it.
    std::int64_t next(std::int64_t milliseconds)
    {
        m_totalMs += std::max<std::int64_t>(milliseconds, 0);
        const std::int64_t target = (m_totalMs + 5) / 10;
        const std::int64_t delay = std::max<std::int64_t>(kMinDelayCs, target - m_writtenCs);
        m_writtenCs += delay;
        return delay;
    }

private:
    std::int64_t m_totalMs = 0;
    std::int64_t m_writtenCs = 0;
};

} // namespace exporter
