#pragma once

// The readout line of the zoom window: which animation and frame the view
// shows and the patterns it is made of, written as the lists write them.

#include "character/CharacterTables.h"

#include <cstdint>
#include <string>

namespace closeup {

struct FrameReadout {
    std::int32_t animation = 0;
    std::string caption; // of the button that plays it; empty when none does
    std::int32_t frameIndex = 0;
    std::int32_t frameCount = 0;
    std::int32_t base = character::kEmptySlot;
    bool layered = false;
    std::int32_t layer = character::kEmptySlot;
    std::int32_t placement = character::kEmptySlot;
    bool operator==(const FrameReadout&) const = default;
};

FrameReadout frameReadout(
    const character::CharacterState& state, std::int32_t animation, std::int32_t frameIndex);

// "アニメ 6 喜び１　コマ 2/4　ベース 03　レイヤー 1A　配置 1B"; a plain
// animation's line ends after its base pattern.
std::string readoutText(const FrameReadout& readout);

} // namespace closeup
