#include "check/ShownLine.h"

#include "character/NameText.h"
#include "platform/Text.h"

namespace check {

namespace {

// Shift-JIS: a lead byte and the byte after it make one character, unless
// that byte cannot follow a lead byte.
bool isShiftJisTrail(unsigned char c)
{
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}

std::size_t characterLength(std::string_view rest, bool utf8)
{
    if (utf8)
        return std::max<std::size_t>(1, platform::utf8SequenceLength(rest));
    const auto lead = static_cast<unsigned char>(rest[0]);
    if (rest.size() >= 2 && platform::isShiftJisLeadByte(lead)
        && isShiftJisTrail(static_cast<unsigned char>(rest[1])))
        return 2;
    return 1;
}

char32_t firstCodePoint(std::string_view utf8)
{
    const auto b = [&](std::size_t i) { return static_cast<char32_t>(static_cast<unsigned char>(utf8[i])); };
    switch (platform::utf8SequenceLength(utf8)) {
    case 1:
        return b(0);
    case 2:
        return (b(0) & 0x1F) << 6 | (b(1) & 0x3F);
    case 3:
        return (b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F);
    case 4:
        return (b(0) & 0x07) << 18 | (b(1) & 0x3F) << 12 | (b(2) & 0x3F) << 6 | (b(3) & 0x3F);
    default:
        return 0xFFFD;
    }
}

// East Asian wide and full-width characters take two cells in a terminal.
std::size_t cellsOf(char32_t c)
{
    const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F)
        || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F)
        || (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || c >= 0x20000;
    return wide ? 2 : 1;
}

// Control characters become the control pictures of U+2400 (one cell each);
// the byte-order mark, which shows nothing, is written out.
bool visibleControl(char32_t c, ShownLine& out)
{
    if (c < 0x20 || c == 0x7F) {
        const char32_t picture = c == 0x7F ? 0x2421 : 0x2400 + c;
        out.text += static_cast<char>(0xE0 | (picture >> 12));
        out.text += static_cast<char>(0x80 | ((picture >> 6) & 0x3F));
        out.text += static_cast<char>(0x80 | (picture & 0x3F));
        return true;
    }
    return false;
}

std::size_t printableAsciiRun(std::string_view rest)
{
    std::size_t n = 0;
    while (n < rest.size() && static_cast<unsigned char>(rest[n]) >= 0x20
        && static_cast<unsigned char>(rest[n]) < 0x7F)
        ++n;
    return n;
}

} // namespace

ShownLine showLine(std::string_view bytes)
{
    ShownLine out;
    out.cellOfByte.reserve(bytes.size() + 1);
    const bool utf8 = platform::isValidUtf8(bytes);
    std::size_t cell = 0;
    out.text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        // Printable ASCII is the bulk of every line: as it is, a cell a byte.
        const std::size_t run = printableAsciiRun(bytes.substr(i));
        if (run > 0) {
            out.text.append(bytes.substr(i, run));
            const std::size_t first = out.cellOfByte.size();
            out.cellOfByte.resize(first + run);
            for (std::size_t k = 0; k < run; ++k)
                out.cellOfByte[first + k] = static_cast<std::uint32_t>(cell + k);
            cell += run;
            i += run;
            continue;
        }
        const std::size_t length = characterLength(bytes.substr(i), utf8);
        for (std::size_t k = 0; k < length; ++k)
            out.cellOfByte.push_back(static_cast<std::uint32_t>(cell));
        // A character of a UTF-8 line, and a lone ASCII byte of any line,
        // is its own UTF-8; only the rest needs the decoder.
        const std::string_view piece = bytes.substr(i, length);
        std::string converted;
        if (!utf8 && static_cast<unsigned char>(piece[0]) >= 0x80)
            converted = character::nameToUtf8(piece);
        const std::string_view decoded
            = utf8 || static_cast<unsigned char>(piece[0]) < 0x80 ? piece : converted;
        const char32_t c = firstCodePoint(decoded);
        if (c == '\t') {
            const std::size_t next = (cell / kTabStop + 1) * kTabStop;
            out.text.append(next - cell, ' ');
            cell = next;
        } else if (c == 0xFEFF) {
            out.text += "<U+FEFF>";
            cell += 8;
        } else if (visibleControl(c, out)) {
            ++cell;
        } else {
            out.text += decoded;
            cell += cellsOf(c);
        }
        i += length;
    }
    out.cellOfByte.push_back(static_cast<std::uint32_t>(cell));
    return out;
}

std::string caretLine(const ShownLine& line, std::size_t column, std::size_t endColumn)
{
    std::string out;
    appendCaretLine(out, line, column, endColumn);
    return out;
}

void appendCaretLine(std::string& out, const ShownLine& line, std::size_t column, std::size_t endColumn)
{
    const std::size_t bytes = line.cellOfByte.size() - 1;
    const auto cellAt = [&](std::size_t c) {
        const std::size_t offset = c == 0 ? 0 : c - 1;
        return offset <= bytes ? line.cellOfByte[offset] : line.cellOfByte[bytes] + (offset - bytes);
    };
    const std::size_t start = cellAt(column);
    const std::size_t end = std::max(cellAt(std::max(endColumn, column)), start + 1);
    out.append(start, ' ');
    out += '^';
    out.append(end - start - 1, '~');
}

} // namespace check
