#pragma once

// Splits a whole text into lines: CR, LF and CR LF each end a line, LF CR is
// two breaks, the last line needs no break, and the first NUL ends the text.
// Every other byte, the end-of-file mark 26 and a byte-order mark included,
// is an ordinary character of its line.

#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace character {

class LineReader {
public:
    explicit LineReader(std::span<const std::uint8_t> text)
        : m_next(reinterpret_cast<const char*>(text.data()))
        , m_end(m_next + text.size())
    {
        if (!text.empty()) {
            if (const void* nul = std::memchr(m_next, 0, text.size()))
                m_end = static_cast<const char*>(nul);
        }
    }

    // Gives the next line, without its break; false after the last one.
    bool next(std::string_view& line)
    {
        if (m_next == m_end)
            return false;
        const char* p = m_next;
        while (p != m_end && *p != '\n' && *p != '\r')
            ++p;
        line = std::string_view(m_next, static_cast<std::size_t>(p - m_next));
        if (p != m_end) {
            if (*p == '\r' && p + 1 != m_end && p[1] == '\n')
                ++p;
            ++p;
        }
        m_next = p;
        return true;
    }

private:
    const char* m_next;
    const char* m_end;
};

} // namespace character
