#pragma once

// The window shows and takes UTF-8; the tool's texts are 8-bit text in the
// window's character set, Shift-JIS (CP932). The character name is taken from
// the definition file byte for byte: files written for this tool are mostly
// Shift-JIS, newer ones UTF-8, so valid UTF-8 is shown as it is and anything
// else is read as CP932. The pattern box goes the other way: its pairs are
// pairs of CP932 bytes.

#include <string>
#include <string_view>

namespace character {

// Bytes that CP932 cannot decode become U+FFFD; this never fails.
std::string nameToUtf8(std::string_view bytes);
std::string cp932ToUtf8(std::string_view bytes);

// A character that CP932 cannot hold (or a byte that is no UTF-8) becomes
// the one byte "?", as the platform's own conversion would have it.
std::string utf8ToCp932(std::string_view text);

} // namespace character
