#pragma once

#include <chrono>
#include <cstdint>

namespace platform {

// A millisecond counter of 32 bits that wraps about every 49.7 days, like the
// platform counter the player's timing was written against: callers compare
// readings by unsigned difference, never by order.
std::uint32_t timeGetTime();

// The counter's reading at a time of the monotonic clock: its whole
// milliseconds, cut to 32 bits.
std::uint32_t millisecondCount(std::chrono::steady_clock::duration sinceEpoch);

// The real clock in nanoseconds, as far as telling whether a file has settled
// needs it: the wall clock to compare with a file's last-write time, and a
// steady clock to measure how long a stamp has stayed the same. Tests hand in
// a clock of their own.
class RealClock {
public:
    virtual ~RealClock() = default;
    virtual std::int64_t wallNs() const = 0;
    virtual std::int64_t steadyNs() const = 0;
};

// The system's clocks; lives for the whole run.
const RealClock& systemClock();

} // namespace platform
