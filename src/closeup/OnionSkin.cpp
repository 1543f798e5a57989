#include "closeup/OnionSkin.h"

#include "closeup/FrameReadout.h"
#include "playback/Player.h"

#include <algorithm>

namespace closeup {

namespace {

constexpr std::uint32_t kEarlierTint = 0xFF3020u;
constexpr std::uint32_t kLaterTint = 0x2050FFu;

// The neighbour `distance` frames away, or 0 when the animation stops first.
std::int32_t neighbour(std::int32_t index, int distance, bool earlier, std::int32_t count, bool wraps)
{
    const std::int32_t at = earlier ? index - distance : index + distance;
    if (at >= 1 && at <= count)
        return at;
    if (!wraps)
        return 0;
    return ((at - 1) % count + count) % count + 1;
}

std::uint32_t channel(std::uint32_t pixel, int shift)
{
    return (pixel >> shift) & 0xFFu;
}

} // namespace

std::vector<OnionFrame> onionFrames(const character::CharacterTables& tables, std::int32_t animation,
    std::int32_t frameIndex, int before, int after)
{
    std::vector<OnionFrame> frames;
    const std::int32_t count = tables.frameCount(animation);
    if (frameIndex < 1 || frameIndex > count)
        return frames;
    const bool wraps = playback::animationClass(animation) == playback::AnimationClass::looping;
    const auto taken = [&](std::int32_t index) {
        return index == frameIndex || std::any_of(frames.begin(), frames.end(), [&](const OnionFrame& f) {
            return f.index == index;
        });
    };
    before = std::clamp(before, 0, kMaxOnionFrames);
    after = std::clamp(after, 0, kMaxOnionFrames);
    for (int distance = 1; distance <= std::max(before, after); ++distance) {
        for (const bool earlier : { true, false }) {
            if (distance > (earlier ? before : after))
                continue;
            const std::int32_t index = neighbour(frameIndex, distance, earlier, count, wraps);
            if (index != 0 && !taken(index))
                frames.push_back({ index, distance, earlier });
        }
    }
    return frames;
}

std::uint32_t ghostPixel(std::uint32_t below, std::uint32_t sprite, const OnionFrame& frame)
{
    const std::uint32_t tint = frame.earlier ? kEarlierTint : kLaterTint;
    // 128, 64, 32 of 256.
    const std::uint32_t alpha = 256u >> std::clamp(frame.distance, 1, kMaxOnionFrames);
    std::uint32_t out = 0;
    for (const int shift : { 16, 8, 0 }) {
        const std::uint32_t ghost = (channel(sprite, shift) + channel(tint, shift)) / 2;
        const std::uint32_t under = channel(below, shift);
        out |= ((under * (256 - alpha) + ghost * alpha) >> 8) << shift;
    }
    return out;
}

} // namespace closeup
