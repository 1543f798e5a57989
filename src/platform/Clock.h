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

} // namespace platform
