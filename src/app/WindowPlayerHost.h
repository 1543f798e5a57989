#pragma once

// The player's surroundings in the window: the platform clock, a wait that
// sleeps on the event queue until the frame is due or a message arrives, and
// the display control.

#include "playback/PlayerHost.h"

#include <functional>

namespace app {

class WindowPlayerHost : public playback::DXDrawPlayerHost {
public:
    using playback::DXDrawPlayerHost::DXDrawPlayerHost;

    std::uint32_t now() override;
    void waitUntil(std::uint32_t deadline) override;
    bool terminating() override;
    void Flip() override;

    // Runs after every frame the player shows.
    std::function<void()> onFrameShown;
};

} // namespace app
