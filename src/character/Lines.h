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
        m_lf = find('\n');
        m_cr = find('\r');
    }

    // Gives the next line, without its break; false after the last one.
    bool next(std::string_view& line)
    {
        if (m_next == m_end)
            return false;
        // The next LF and the next CR are each looked for once and kept
        // until the text is read past them: every byte is searched at most
        // twice, whatever breaks the file uses.
        if (m_lf < m_next)
            m_lf = find('\n');
        if (m_cr < m_next)
            m_cr = find('\r');
        const char* p = m_lf < m_cr ? m_lf : m_cr;
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
    const char* find(char c) const
    {
        if (m_next == m_end)
            return m_end;
        const void* found = std::memchr(m_next, c, static_cast<std::size_t>(m_end - m_next));
        return found != nullptr ? static_cast<const char*>(found) : m_end;
    }

    const char* m_next;
    const char* m_end;
    const char* m_lf; // the first LF at or after m_next when last looked for, or m_end
    const char* m_cr; // the same for CR
};

} // namespace character
