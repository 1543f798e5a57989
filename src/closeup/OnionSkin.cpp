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
    // All three channels at once, which keeps a frame of six neighbours
    // cheap: halving each channel first leaves no carry into the next.
    const std::uint32_t tint = frame.earlier ? kEarlierTint : kLaterTint;
    const std::uint32_t ghost = ((sprite & 0xFEFEFEu) >> 1) + ((tint & 0xFEFEFEu) >> 1);
    // 1/2, 1/4 or 1/8 of the ghost over the rest of what lies below.
    const int shift = std::clamp(frame.distance, 1, kMaxOnionFrames);
    const std::uint32_t keep = 0xFFFFFFu & ~(((0xFFu >> (8 - shift)) * 0x010101u));
    return (below & 0xFFFFFFu) - ((below & keep) >> shift) + ((ghost & keep) >> shift);
}

} // namespace closeup
