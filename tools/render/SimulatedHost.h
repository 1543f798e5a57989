#pragma once

// The player's surroundings without a window: the display control is real,
// the clock is simulated. A wait ends at once, as if the time had passed,
// so a run of any number of frames takes no real time and gives the same
// frames every time.

#include "playback/PlayerHost.h"

#include <cstdint>

namespace render {

class SimulatedHost : public playback::DXDrawPlayerHost {
public:
    using playback::DXDrawPlayerHost::DXDrawPlayerHost;

    std::uint32_t now() override { return m_clock; }

    void waitUntil(std::uint32_t deadline) override
    {
        // Signed difference: the counter wraps like the real one.
        if (static_cast<std::int32_t>(deadline - m_clock) > 0)
            m_clock = deadline;
    }

private:
    std::uint32_t m_clock = 0;
};

} // namespace render
