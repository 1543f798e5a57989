#pragma once

// The one text-to-number conversion of the system. Every number typed by the
// user or read from a definition file goes through it, so its rules are the
// system's rules: optional leading blanks (code 32), then either an optional
// "+" or "-" and decimal digits, or one of the prefixes "$", "x", "X", "0x",
// "0X" and hexadecimal digits of either case; nothing may follow.
//
// Decimal values must lie in the signed 32-bit range. Hexadecimal values may
// use all 32 bits and wrap into the negative range ("$FFFFFFFF" is -1), as
// the framework the definition files were written for did.

#include <cstdint>
#include <string_view>

namespace character {

// Returns false, leaving value alone, when the text is no integer.
bool tryStrToInt(std::string_view text, std::int32_t& value);

// Raises EConvertError "'%s' は数値ではありません" with the text when it is no integer.
std::int32_t strToInt(std::string_view text);

std::int32_t strToIntDef(std::string_view text, std::int32_t def);

// A pattern number written as two hexadecimal digits: the text trimmed, "$"
// put in front and converted by strToInt, so a failure names the text with
// its "$" ("'$G1' は数値ではありません").
std::int32_t hexPair(std::string_view pair);

} // namespace character
