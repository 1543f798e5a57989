#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

TEST(TimeGetTime, CountsMillisecondsByUnsignedDifference)
{
    const std::uint32_t before = platform::timeGetTime();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const std::uint32_t elapsed = platform::timeGetTime() - before;
    // Generous bounds: only the unit and the direction are checked here.
    EXPECT_GE(elapsed, 25u);
    EXPECT_LT(elapsed, 10000u);
}
