#include "platform/Text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace platform {

std::string asciiLower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = asciiLower(c);
    return lower;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
        [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

std::size_t utf8SequenceLength(std::string_view text)
{
    if (text.empty())
        return 0;
    const auto c0 = static_cast<unsigned char>(text[0]);
    if (c0 < 0x80)
        return 1;
    std::size_t n = 0;
    std::uint32_t cp = 0;
    std::uint32_t min = 0;
    if ((c0 & 0xE0) == 0xC0) {
        n = 2, cp = c0 & 0x1F, min = 0x80;
    } else if ((c0 & 0xF0) == 0xE0) {
        n = 3, cp = c0 & 0x0F, min = 0x800;
    } else if ((c0 & 0xF8) == 0xF0) {
        n = 4, cp = c0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < n)
        return 0;
    for (std::size_t i = 1; i < n; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

bool isValidUtf8(std::string_view text)
{
    while (!text.empty()) {
        // ASCII is most of every text we test, and always whole: eight bytes
        // at a time while none has its top bit set.
        std::uint64_t eight;
        if (text.size() >= sizeof eight) {
            std::memcpy(&eight, text.data(), sizeof eight);
            if ((eight & 0x8080808080808080u) == 0) {
                text.remove_prefix(sizeof eight);
                continue;
            }
        }
        if (static_cast<unsigned char>(text[0]) < 0x80) {
            text.remove_prefix(1);
            continue;
        }
        const std::size_t n = utf8SequenceLength(text);
        if (n == 0)
            return false;
        text.remove_prefix(n);
    }
    return true;
}

std::string withVisibleControls(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    appendVisibleControls(out, text);
    return out;
}

void appendVisibleControls(std::string& out, std::string_view text)
{
    const auto isControl = [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    };
    while (!text.empty()) {
        // Runs without controls, nearly every text, go in whole.
        const auto control = std::find_if(text.begin(), text.end(), isControl);
        const auto run = static_cast<std::size_t>(control - text.begin());
        out.append(text.substr(0, run));
        if (run == text.size())
            return;
        const auto byte = static_cast<unsigned char>(text[run]);
        const char32_t picture = byte == 0x7F ? 0x2421 : 0x2400 + byte;
        out += static_cast<char>(0xE0 | (picture >> 12));
        out += static_cast<char>(0x80 | ((picture >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (picture & 0x3F));
        text.remove_prefix(run + 1);
    }
}

} // namespace platform
