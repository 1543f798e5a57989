#pragma once

// Byte-level text helpers that every layer needs: file names and extensions
// compare without regard to ASCII case, names and paths are either UTF-8 or
// Shift-JIS, and numbers in the definition file are written in hexadecimal.

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Only 'A' to 'Z' change; every other byte (Shift-JIS bytes included) stays.
constexpr char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string asciiLower(std::string_view text);
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Length of the well-formed UTF-8 sequence at the start of `text`, or 0 when
// there is none (overlong forms, surrogates and values past U+10FFFF are not
// well-formed; neither is an empty text).
std::size_t utf8SequenceLength(std::string_view text);
bool isValidUtf8(std::string_view text);

// Text for a terminal: each C0 control and DEL becomes its picture of the
// block at U+2400 (ESC as "␛"), so that a name in a file cannot retitle,
// clear or otherwise drive the terminal it is printed on. Other bytes stay.
std::string withVisibleControls(std::string_view text);
void appendVisibleControls(std::string& out, std::string_view text);

// A Shift-JIS (CP932) lead byte: it and the byte after it are one
// double-byte character, whose second byte may be any of 0x40 to 0xFC,
// "\\" (0x5C) included.
constexpr bool isShiftJisLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The value of one hexadecimal digit of either case, or -1.
constexpr int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace platform
