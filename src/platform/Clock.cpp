#include "platform/Clock.h"

#include <chrono>

namespace platform {

std::uint32_t timeGetTime()
{
    // The monotonic clock, so that setting the wall clock never makes a frame
    // wait for hours or fire at once.
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

namespace {

class SystemClock : public RealClock {
public:
    std::int64_t wallNs() const override
    {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
            std::chrono::system_clock::now().time_since_epoch())
            .count();
    }
    std::int64_t steadyNs() const override
    {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
            std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};

} // namespace

const RealClock& systemClock()
{
    static const SystemClock clock;
    return clock;
}

} // namespace platform
