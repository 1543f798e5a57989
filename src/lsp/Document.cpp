#include "lsp/Document.h"

#include <algorithm>

namespace lsp {

namespace {

// Length of the UTF-8 sequence that starts with `lead`; stray continuation
// bytes count as one, so that a walk always moves on.
std::size_t sequenceLength(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

std::size_t unitsOfSequence(std::size_t length, PositionEncoding encoding)
{
    if (encoding == PositionEncoding::utf8)
        return length;
    return length == 4 ? 2 : 1;
}

} // namespace

std::size_t unitsOf(std::string_view bytes, PositionEncoding encoding)
{
    if (encoding == PositionEncoding::utf8)
        return bytes.size();
    std::size_t units = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = sequenceLength(static_cast<unsigned char>(bytes[i]));
        units += unitsOfSequence(n, encoding);
        i += n;
    }
    return units;
}

Document::Document(std::string text)
    : m_text(std::move(text))
{
    split();
}

void Document::split()
{
    m_lineStarts.assign(1, 0);
    m_lineEnds.clear();
    m_ascii.clear();
    bool ascii = true;
    for (std::size_t i = 0; i < m_text.size(); ++i) {
        const char c = m_text[i];
        if (c != '\r' && c != '\n') {
            ascii = ascii && static_cast<unsigned char>(c) < 0x80;
            continue;
        }
        m_lineEnds.push_back(i);
        m_ascii.push_back(ascii);
        ascii = true;
        if (c == '\r' && i + 1 < m_text.size() && m_text[i + 1] == '\n')
            ++i;
        m_lineStarts.push_back(i + 1);
    }
    m_lineEnds.push_back(m_text.size());
    m_ascii.push_back(ascii);
}

std::string_view Document::line(std::size_t line) const
{
    if (line >= m_lineStarts.size())
        return {};
    return std::string_view(m_text).substr(m_lineStarts[line], m_lineEnds[line] - m_lineStarts[line]);
}

std::string_view Document::lineBreak(std::size_t line) const
{
    if (line + 1 >= m_lineStarts.size())
        return {};
    return std::string_view(m_text).substr(m_lineEnds[line], m_lineStarts[line + 1] - m_lineEnds[line]);
}

TextPlace Document::place(Position position, PositionEncoding encoding) const
{
    if (position.line >= m_lineStarts.size())
        return TextPlace { m_lineStarts.size() - 1, line(m_lineStarts.size() - 1).size() };
    const std::string_view text = line(position.line);
    if (m_ascii[position.line])
        return TextPlace { position.line, std::min(position.character, text.size()) };
    std::size_t units = 0, i = 0;
    while (i < text.size()) {
        const std::size_t n = std::min(sequenceLength(static_cast<unsigned char>(text[i])), text.size() - i);
        const std::size_t u = unitsOfSequence(n, encoding);
        // A position inside a character (between the halves of a surrogate
        // pair, or inside a UTF-8 sequence) stands for its start.
        if (units + u > position.character)
            break;
        units += u;
        i += n;
    }
    return TextPlace { position.line, i };
}

Position Document::position(TextPlace place, PositionEncoding encoding) const
{
    const std::string_view text = line(place.line);
    const std::size_t byte = std::min(place.byte, text.size());
    if (place.line < m_ascii.size() && m_ascii[place.line])
        return Position { place.line, place.byte };
    // Bytes past the line's end (a range that reaches beyond it) count one
    // unit each, as the checker counts columns past the end.
    return Position { place.line, unitsOf(text.substr(0, byte), encoding) + (place.byte - byte) };
}

std::size_t Document::offset(TextPlace place) const
{
    if (place.line >= m_lineStarts.size())
        return m_text.size();
    return m_lineStarts[place.line] + std::min(place.byte, m_lineEnds[place.line] - m_lineStarts[place.line]);
}

void Document::replace(const Range& range, std::string_view text, PositionEncoding encoding)
{
    if (range.end.line < range.start.line
        || (range.end.line == range.start.line && range.end.character < range.start.character))
        throw BadChange("the range of a change ends before it starts");
    const std::size_t from = offset(place(range.start, encoding));
    const std::size_t to = offset(place(range.end, encoding));
    // A range that ends past the last line covers the rest of the text.
    const std::size_t end = range.end.line >= m_lineStarts.size() ? m_text.size() : to;
    m_text.replace(from, std::max(end, from) - from, text);
    split();
}

void Document::replaceAll(std::string text)
{
    m_text = std::move(text);
    split();
}

} // namespace lsp
