#include "closeup/SheetReadout.h"

#include "closeup/PatternNumbers.h"

#include <cstdio>

namespace closeup {

std::string pointText(const character::CharacterState& state, const SurfaceImage& sheet,
    const std::vector<Outline>& outlines, std::int32_t x, std::int32_t y)
{
    if (x < 0 || y < 0 || x >= sheet.width() || y >= sheet.height())
        return {};
    const std::uint32_t raw = sheet.raw(x, y);
    // Raw values in the system's own hexadecimal notation.
    char value[16];
    std::snprintf(value, sizeof value, "$%08X", raw);
    std::string text = "X " + std::to_string(x) + " Y " + std::to_string(y) + "　値 " + value;
    if (sheet.keyed(raw))
        text += "（透明色）";
    const std::vector<int> under = patternsAt(outlines, x, y);
    if (!under.empty()) {
        text += "　パターン ";
        for (std::size_t i = 0; i < under.size(); ++i)
            text += (i == 0 ? "" : ", ") + patternLabel(state, under[i]);
    }
    return text;
}

std::string selectionLine(const character::CharacterState& state, const TRect& selection)
{
    if (selection.width() <= 0 || selection.height() <= 0)
        return {};
    const auto number = lowestFreePattern(state);
    if (!number)
        return kSNoFreePattern;
    return patternLine(*number, state.hexNumbering, selection);
}

} // namespace closeup
