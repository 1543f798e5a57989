#include "platform/Clock.h"

#include <gtest/gtest.h>

using std::chrono::milliseconds;

TEST(TimeGetTime, WrapsAt32BitsAndStillCountsByUnsignedDifference)
{
    constexpr std::int64_t kWrap = std::int64_t { 1 } << 32;
    EXPECT_EQ(platform::millisecondCount(milliseconds(kWrap - 1)), 0xFFFFFFFFu);
    EXPECT_EQ(platform::millisecondCount(milliseconds(kWrap + 5)), 5u);
    // Parts of a millisecond do not count.
    EXPECT_EQ(platform::millisecondCount(std::chrono::microseconds(2999)), 2u);
    const std::uint32_t before = platform::millisecondCount(milliseconds(kWrap - 10));
    const std::uint32_t after = platform::millisecondCount(milliseconds(kWrap + 5));
    EXPECT_EQ(after - before, 15u);
}

TEST(TimeGetTime, ReadsTheMonotonicClock)
{
    const auto start = std::chrono::steady_clock::now().time_since_epoch();
    const std::uint32_t reading = platform::timeGetTime();
    const auto end = std::chrono::steady_clock::now().time_since_epoch();
    // The reading lies between the two clock readings around it.
    EXPECT_LE(reading - platform::millisecondCount(start),
        platform::millisecondCount(end) - platform::millisecondCount(start));
}
