#pragma once

// The text of an open document as the editor holds it (UTF-8, whatever the
// file on disk), split into lines as both the editor and the definition
// reader split them: at CR, LF or CR LF. Positions come from the editor in
// UTF-16 code units or in UTF-8 bytes, as agreed at initialisation.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lsp {

enum class PositionEncoding { utf16, utf8 };

struct Position {
    std::size_t line = 0;
    std::size_t character = 0;
    bool operator==(const Position&) const = default;
};

struct Range {
    Position start;
    Position end;
    bool operator==(const Range&) const = default;
};

// A place in the text: a line and a byte offset within it.
struct TextPlace {
    std::size_t line = 0;
    std::size_t byte = 0;
};

// A change whose range does not fit the document.
class BadChange : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Document {
public:
    explicit Document(std::string text = {});

    const std::string& text() const { return m_text; }
    std::size_t lineCount() const { return m_lineStarts.size(); }
    // Without its line break; empty past the last line.
    std::string_view line(std::size_t line) const;
    // The line break that ends a line ("" for the last one).
    std::string_view lineBreak(std::size_t line) const;

    // A position past the end of its line stands for the line's end; a line
    // past the last one stands for the end of the text.
    TextPlace place(Position position, PositionEncoding encoding) const;
    Position position(TextPlace place, PositionEncoding encoding) const;
    std::size_t offset(TextPlace place) const;

    void replace(const Range& range, std::string_view text, PositionEncoding encoding);
    void replaceAll(std::string text);

private:
    void split();

    std::string m_text;
    std::vector<std::size_t> m_lineStarts;
    std::vector<std::size_t> m_lineEnds; // before the break
    // Lines of ASCII only count the same in every encoding, which spares
    // a walk through the line for each position on it.
    std::vector<bool> m_ascii;
};

// Units of `bytes` (whole UTF-8) in an encoding.
std::size_t unitsOf(std::string_view bytes, PositionEncoding encoding);

} // namespace lsp
