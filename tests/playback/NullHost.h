#pragma once

// A player host for tests and benchmarks that never run an idle step
// through it.

#include "playback/PlayerHost.h"

namespace playbacktest {

class NullHost : public playback::PlayerHost {
public:
    std::uint32_t now() override { return 0; }
    void waitUntil(std::uint32_t) override { }
    bool CanDraw() override { return false; }
    TDirectDrawSurface* Surface() override { return nullptr; }
    void Flip() override { }
};

} // namespace playbacktest
