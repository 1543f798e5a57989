#pragma once

// What the player needs of its surroundings: the millisecond clock, a wait
// that keeps the window answering, and the display control's can-draw test,
// view surface and present. The window implements it over its event loop and
// display control; tests and the headless driver over a simulated clock.

#include <cstdint>

class TCustomDXDraw;
class TDirectDrawSurface;

namespace playback {

class PlayerHost {
public:
    virtual ~PlayerHost() = default;

    // The millisecond counter: 32 bits, wrapping.
    virtual std::uint32_t now() = 0;

    // Dispatches window messages until the clock reaches `deadline` (compared
    // as a signed 32-bit difference, so the counter may wrap), or until at
    // least one message has been dispatched, whichever comes first. Must not
    // run the player's idle step, and should not spin.
    virtual void waitUntil(std::uint32_t deadline) = 0;

    // Whether the application is ending: a wait in progress then ends at
    // once rather than keeping a closed tool alive for the rest of a long
    // interval.
    virtual bool terminating() { return false; }

    virtual bool CanDraw() = 0;
    virtual TDirectDrawSurface* Surface() = 0; // the view; may be null
    virtual void Flip() = 0;
};

// A host whose display part is a display control; the clock and the wait
// are left to the subclass.
class DXDrawPlayerHost : public PlayerHost {
public:
    explicit DXDrawPlayerHost(TCustomDXDraw& display)
        : m_display(display)
    {
    }
    bool CanDraw() override;
    TDirectDrawSurface* Surface() override;
    void Flip() override;

private:
    TCustomDXDraw& m_display;
};

} // namespace playback
