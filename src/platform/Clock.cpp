#include "platform/Clock.h"

namespace platform {

std::uint32_t millisecondCount(std::chrono::steady_clock::duration sinceEpoch)
{
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count());
}

std::uint32_t timeGetTime()
{
    // The monotonic clock, so that setting the wall clock never makes a frame
    // wait for hours or fire at once.
    return millisecondCount(std::chrono::steady_clock::now().time_since_epoch());
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
