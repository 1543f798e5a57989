#pragma once

// A large definition file for the benchmarks, held in memory: every pattern
// defined, every animation with full base, layer and placement lists, and
// comment lines between them, repeated to 1 MiB.

#include "character/DefinitionReader.h"

#include <cstdint>
#include <string>
#include <vector>

namespace benchfile {

inline std::string hexPairOf(int value)
{
    static const char* const kDigits = "0123456789ABCDEF";
    return { kDigits[value >> 4 & 15], kDigits[value & 15] };
}

inline std::string fullList(int seed)
{
    std::string list;
    for (int k = 1; k <= character::kLastListFrame; ++k)
        list += hexPairOf((k * 7 + seed) & 255);
    return list;
}

// One round of a character: header, patterns, lists, comments.
inline void appendCharacter(std::string& text, int round)
{
    text += "#CHARNAME Bench" + std::to_string(round) + " comment\r\n#ANIME 80\r\n#DATA 16\r\n";
    text += "#CHARBMP sheets\\bench.bmp\r\n";
    for (int p = 1; p <= 255; ++p) {
        text += "; pattern " + std::to_string(p) + " of the sheet, cut for the frames below\r\n";
        text += "#" + hexPairOf(p) + " " + std::to_string(p * 3) + "\t" + std::to_string(p * 5)
            + "  121 271 pose\r\n";
    }
    for (int a = 0; a <= character::kLastAnimationNumber; ++a) {
        const std::string number = (a < 10 ? "0" : "") + std::to_string(a);
        text += "; animation " + number + ": base frames, then the layer and where it goes\r\n";
        text += "#PATERN " + number + " " + fullList(a) + "\r\n";
        // A line value holds at most 1024 characters, so the two full lists
        // of a layer line do not fit on one line: the layer list is full,
        // the placement list takes what room is left.
        text += "#LAYER " + number + " " + fullList(a + 1) + " " + fullList(a + 2) + "\r\n";
    }
}

inline std::vector<std::uint8_t> generatedFile()
{
    std::string text;
    for (int round = 0; text.size() < (1u << 20); ++round)
        appendCharacter(text, round);
    return { text.begin(), text.end() };
}

} // namespace benchfile
