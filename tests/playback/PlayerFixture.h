#pragma once

// The window's logic over a headless form and a simulated host, reset and
// playing, with every frame that reaches the view recorded (its time,
// animation, index and state label); the player and pause tests start here.

#include "SimHost.h"
#include "character/LoadProcedure.h"
#include "playback/FormLogic.h"
#include "playback/HeadlessForm.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace playbacktest {

class PlayerFixture : public testing::Test {
protected:
    void SetUp() override
    {
        character::resetProcedure(state(), form);
        state().playbackFlag = true;
        host.snapshot = [this] {
            return Frame { host.clock, state().currentAnimation, logic.player().frameIndex(),
                form.caption(form::Control::Label2) };
        };
    }

    character::CharacterState& state() { return logic.state(); }
    playback::Player& player() { return logic.player(); }

    // The base list of an animation: its patterns from frame 1 on.
    void frames(int animation, std::initializer_list<int> patterns)
    {
        int k = 1;
        for (const int p : patterns)
            state().tables.base[animation][k++] = p;
    }

    playback::HeadlessForm form;
    SimHost host;
    playback::FormLogic logic { form, host };
};

} // namespace playbacktest
