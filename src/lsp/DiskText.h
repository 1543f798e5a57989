#pragma once

// The bytes a document will hold on disk, as the definition reader sees
// them, and the way back from the reader's byte columns to the editor's
// text. Files written for this tool are mostly Shift-JIS (CP932), newer ones
// UTF-8; the editor always sends Unicode, so the text is encoded the way its
// file is, and every character that encoding cannot hold is noted at its
// place.

#include "lsp/Document.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lsp {

enum class Charset { shiftJis, utf8 };

// UTF-8 for a file that is valid UTF-8 and holds other bytes than ASCII;
// Shift-JIS for every other file, and for a file not yet saved.
Charset charsetOfFile(const std::string& path);

struct Unencodable {
    std::size_t line = 0; // counted from 0, as the editor counts
    std::size_t byte = 0; // in the editor's text of the line
    std::size_t endByte = 0;
};

class DiskText {
public:
    DiskText(const Document& document, Charset charset);

    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }
    const std::vector<Unencodable>& unencodable() const { return m_unencodable; }

    // The editor's byte in the line (counted from 0) for the reader's
    // column (counted from 1). A column inside a character stands for the
    // character's start, or with `end` for its end; a column past the line
    // stays past it by as many bytes.
    std::size_t textByte(std::size_t line, std::size_t column, bool end = false) const;
    // The reader's column (from 1) of an editor's byte in the line.
    std::size_t column(std::size_t line, std::size_t textByte) const;

private:
    // Where characters start in both texts of a line that is not plain ASCII;
    // its last entry is the end of both.
    struct Mark {
        std::uint32_t disk;
        std::uint32_t text;
    };
    struct LineMap {
        std::size_t diskLength = 0;
        std::size_t textLength = 0;
        std::vector<Mark> marks; // empty for a line that is the same in both
    };
    void encodeLine(std::string_view text, std::size_t line, Charset charset, LineMap& map);

    std::vector<std::uint8_t> m_bytes;
    std::vector<LineMap> m_lines;
    std::vector<Unencodable> m_unencodable;
};

} // namespace lsp
