#pragma once

// The animation player: steps the current animation once per frame interval
// from the application's idle processing, decides what plays when an
// animation ends, and holds the operations the animation buttons and the
// pattern-check button call. It reads time and waits only through its host.

#include "character/CharacterTables.h"
#include "form/FormControls.h"
#include "playback/PlayerHost.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

class TDirectDrawSurface;

namespace playback {

enum class AnimationClass { looping, oneShot, patternCheck };

AnimationClass animationClass(std::int32_t animation);

class Player {
public:
    Player(character::CharacterState& state, form::FormControls& form, PlayerHost& host);

    // The window's sheet surface, or none; read afresh after every wait,
    // since the display may drop and re-make it while the player waits.
    void setSheetSurface(TDirectDrawSurface* sheet) { m_sheet = sheet; }

    // Run by every idle step that gets past its wait, before the frame is
    // composed; its errors end the step without a frame.
    void setAutomaticReload(std::function<void()> reload) { m_automaticReload = std::move(reload); }

    // One idle step. Clears `done` when it shows a frame; leaves it as it is
    // on every other way out, an error included.
    void idleStep(bool& done);

    void selectAnimation(std::int32_t animation, std::string_view label);
    void startOneShot(std::int32_t animation, std::string_view label);
    // Raises the conversion message when a pair of the pattern box is no
    // hexadecimal number; the pairs before it stay stored.
    void startPatternCheck();

    // Pause and step. While paused an idle step does everything but advance:
    // it still reloads and composes the frame on show again, so a sheet saved
    // meanwhile shows on the same frame. A step forward advances as an idle
    // step does, end test included; a step back stays within the animation
    // and never goes below frame 1. Both pause a playing animation first.
    // A restart shows frame 1 of the current animation and keeps the pause
    // as it is. The steps and the restart show their frame at once; without
    // a loaded character they do nothing.
    bool paused() const { return m_paused; }
    void togglePause() { m_paused = !m_paused; }
    void stepForward();
    void stepBack();
    void restart();
    // Pauses and shows frame `index` of the current animation at once, for a
    // list of the frames to jump to one; no end test runs, as none passes
    // over an end. A slot outside 1 to 255 does nothing.
    void stepTo(std::int32_t index);

    std::int32_t frameIndex() const { return m_frameIndex; }
    std::int32_t returnAnimation() const { return m_returnAnimation; }
    const std::string& returnLabel() const { return m_returnLabel; }

private:
    void waitForFrame();
    void endTest();
    // Composes the frame on show and presents it, outside the idle step.
    void showFrame();
    void saveReturn(std::span<const std::int32_t> saveSet);
    void start(std::int32_t animation, std::string_view label);

    character::CharacterState& m_state;
    form::FormControls& m_form;
    PlayerHost& m_host;
    TDirectDrawSurface* m_sheet = nullptr;
    std::function<void()> m_automaticReload;

    std::int32_t m_frameIndex = 0;
    std::int32_t m_returnAnimation = 0;
    std::string m_returnLabel;
    std::uint32_t m_lastFrameTime = 0;
    // No frame has been timed yet, so the first wait passes at once whatever
    // the clock reads.
    bool m_timed = false;
    bool m_paused = false;
};

} // namespace playback
