#pragma once

// The character tables and the values a load sets for the rest of the
// program. One instance lives for the whole run; everything in it has a
// fixed size so that loading never allocates per pattern or per frame.

#include "platform/FileSystem.h"
#include "platform/Types.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace character {

inline constexpr int kPatternCount = 256;
inline constexpr int kAnimationCount = 31;
inline constexpr int kSlotCount = 256; // frame indexes 0..255; lists fill 1..255
inline constexpr int kLastSlot = kSlotCount - 1;
inline constexpr std::int32_t kEmptySlot = -1;
inline constexpr int kPatternCheckAnimation = 30;
inline constexpr std::int32_t kDefaultFrameInterval = 100;

struct PatternEntry {
    TRect rect; // on the sheet image; emptied by every reset
    std::int32_t left = 0; // the four values as written; a reset keeps them
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    bool operator==(const PatternEntry&) const = default;
};

using FrameRow = std::array<std::int32_t, kSlotCount>;
using FrameTable = std::array<FrameRow, kAnimationCount>;

inline bool isAnimationNumber(std::int64_t a)
{
    return a >= 0 && a < kAnimationCount;
}
inline bool isFrameIndex(std::int64_t i)
{
    return i >= 0 && i < kSlotCount;
}
inline bool isPatternNumber(std::int64_t p)
{
    return p >= 0 && p < kPatternCount;
}

// A pattern number as the lists write it: the two hexadecimal digits of its
// low byte.
inline std::string hexPair(std::int32_t pattern)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return { kDigits[(pattern >> 4) & 15], kDigits[pattern & 15] };
}

// An animation ends at the first frame whose base and layer slots are both
// empty; the frames before it are the ones it plays. `shows(index)` tells
// whether frame `index` has a base or a layer pattern.
template <typename Shows> std::int32_t playedFrameCount(Shows shows)
{
    std::int32_t index = 1;
    while (index <= kLastSlot && shows(index))
        ++index;
    return index - 1;
}

struct CharacterTables {
    std::array<PatternEntry, kPatternCount> patterns {};
    FrameTable base {};
    FrameTable layer {};
    FrameTable placement {};
    std::array<bool, kAnimationCount> layered {};

    bool operator==(const CharacterTables&) const = default;

    // A slot read that is total: anything outside the table is the empty slot.
    static std::int32_t slot(const FrameTable& table, std::int64_t animation, std::int64_t index)
    {
        if (!isAnimationNumber(animation) || !isFrameIndex(index))
            return kEmptySlot;
        return table[static_cast<std::size_t>(animation)][static_cast<std::size_t>(index)];
    }

    // Whether frame `index` of `animation` has a base or a layer pattern.
    bool showsFrame(std::int64_t animation, std::int64_t index) const
    {
        return slot(base, animation, index) != kEmptySlot || slot(layer, animation, index) != kEmptySlot;
    }
    // How many frames `animation` plays once through; 0 for none.
    std::int32_t frameCount(std::int64_t animation) const
    {
        return playedFrameCount([&](std::int32_t index) { return showsFrame(animation, index); });
    }
};

// Everything the load procedure owns or sets besides the tables. The frame
// interval and the current animation are shared with the player and the speed
// box; they live here because the reset writes them.
struct CharacterState {
    CharacterTables tables;
    std::int32_t frameInterval = 0;
    std::int32_t currentAnimation = 0;
    std::string sheetPath;
    std::int32_t sheetFileAge = 0;
    // Taken with the age; only the automatic reload's change test reads it.
    platform::FileStamp sheetStamp;
    bool playbackFlag = false;

    // How the loaded file numbers its patterns, so that tools can write a
    // pattern number as the file would: which patterns its lines define
    // (a defined pattern may still have an empty rectangle), which of those
    // lines came after the numbering line, and whether the numbering was
    // hexadecimal at the end of the file. The reset clears all three.
    std::bitset<kPatternCount> definedPatterns;
    std::bitset<kPatternCount> hexPatterns;
    bool hexNumbering = false;

    // The bytes of the definition file as the last load read them, so that
    // what is shown of the file (the report's listing and findings) is what
    // was loaded, not what the file holds by the time it is shown.
    std::shared_ptr<const std::vector<std::uint8_t>> definitionText;
};

} // namespace character
