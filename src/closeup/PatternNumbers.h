#pragma once

// Pattern numbers written as the loaded definition file writes them: the
// pattern lines in decimal or, after the numbering line, in hexadecimal; the
// lists always in hexadecimal pairs.

#include "character/CharacterTables.h"
#include "platform/Types.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace closeup {

// A list entry as two upper-case hexadecimal digits; "--" for the empty slot
// and anything a list cannot hold.
std::string listPair(std::int32_t pattern);

// A pattern's number as its pattern line writes it, followed by its list form
// in parentheses when that line was read in decimal numbering and the two
// differ: "0A", "10 (0A)".
std::string patternLabel(const character::CharacterState& state, int number);

// The lowest pattern number that no pattern line of the file defines and that
// a line in the file's numbering can write (1 to 99 in decimal, 1 to 255 in
// hexadecimal); none when every such number is taken.
std::optional<int> lowestFreePattern(const character::CharacterState& state);
// Every such number, lowest first: the numbers that new lines take in turn.
std::vector<int> freePatterns(const character::CharacterState& state);

// The pattern line that cuts `rect` as pattern `number`: "#NN left top width
// height", the number as two decimal or two hexadecimal digits.
std::string patternLine(int number, bool hexNumbering, const TRect& rect);

} // namespace closeup
