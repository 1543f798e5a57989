#pragma once

// Onion skin: the frames around the frame on show, drawn faintly between
// its background and its own patterns, earlier ones reddish and later ones
// bluish, fainter the farther they are.

#include "character/CharacterTables.h"

#include <cstdint>
#include <vector>

namespace closeup {

inline constexpr int kMaxOnionFrames = 3; // on each side

struct OnionSettings {
    int before = 0; // 0 to kMaxOnionFrames
    int after = 0;
    bool noBackground = false; // 背景なし: a checkerboard instead of pattern 1
    bool operator==(const OnionSettings&) const = default;
};

struct OnionFrame {
    std::int32_t index; // frame index in the animation
    int distance; // 1 for the next frame either way
    bool earlier;
    bool operator==(const OnionFrame&) const = default;
};

// The neighbours of `frameIndex` in the animation's own order, nearest
// first: a looping animation wraps at its end, a one-shot and the pattern
// check stop at their first and last frame. No frame comes twice and the
// frame on show is never its own neighbour, however short the animation.
std::vector<OnionFrame> onionFrames(const character::CharacterTables& tables, std::int32_t animation,
    std::int32_t frameIndex, int before, int after);

// A neighbour's pixel over what lies below it: tinted towards red or blue,
// then laid over `below` at 50 %, 25 % or 12 % by distance.
std::uint32_t ghostPixel(std::uint32_t below, std::uint32_t sprite, const OnionFrame& frame);

} // namespace closeup
