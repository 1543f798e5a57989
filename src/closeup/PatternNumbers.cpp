#include "closeup/PatternNumbers.h"

#include <cstdio>

namespace closeup {

namespace {

// Two decimal digits reach only 99: "#100" reads as pattern 10.
constexpr int kLastDecimalPattern = 99;
constexpr int kLastHexPattern = character::kPatternCount - 1;

std::string decimalPair(int number)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

} // namespace

std::string listPair(std::int32_t pattern)
{
    if (!character::isPatternNumber(pattern))
        return "--";
    return character::hexPair(pattern);
}

std::string patternLabel(const character::CharacterState& state, int number)
{
    if (!character::isPatternNumber(number))
        return listPair(number);
    // Below ten both numberings write the same digits.
    if (state.hexPatterns.test(static_cast<std::size_t>(number)) || number < 10)
        return character::hexPair(number);
    return decimalPair(number) + " (" + character::hexPair(number) + ")";
}

std::optional<int> lowestFreePattern(const character::CharacterState& state)
{
    const std::vector<int> free = freePatterns(state);
    if (free.empty())
        return std::nullopt;
    return free.front();
}

std::vector<int> freePatterns(const character::CharacterState& state)
{
    std::vector<int> free;
    const int last = state.hexNumbering ? kLastHexPattern : kLastDecimalPattern;
    for (int number = 1; number <= last; ++number) {
        if (!state.definedPatterns.test(static_cast<std::size_t>(number)))
            free.push_back(number);
    }
    return free;
}

std::string patternLine(int number, bool hexNumbering, const TRect& rect)
{
    return "#" + (hexNumbering ? character::hexPair(number) : decimalPair(number)) + " "
        + std::to_string(rect.Left) + " " + std::to_string(rect.Top) + " " + std::to_string(rect.width())
        + " " + std::to_string(rect.height());
}

} // namespace closeup
