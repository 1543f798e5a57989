#pragma once

// The small text terms of the definition-file format: trimming, words,
// column values and keyword tests, all views into the caller's buffer.

#include <cstddef>
#include <string_view>

namespace character {

// Blanks, tabs and every control character; bytes above 127 are text.
inline bool isTrimmable(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

inline std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isTrimmable(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isTrimmable(text.back()))
        text.remove_suffix(1);
    return text;
}

// The text up to, not including, its first blank or tab.
inline std::string_view word(std::string_view text)
{
    std::size_t end = 0;
    while (end < text.size() && text[end] != ' ' && text[end] != '\t')
        ++end;
    return text.substr(0, end);
}

// At most count characters from the 1-based column on; empty past the end.
// The result always points into the line (an empty one at its end), so that
// the place of every value can be told from where its view starts.
inline std::string_view columns(std::string_view line, std::size_t column, std::size_t count)
{
    if (column - 1 >= line.size())
        return line.substr(line.size());
    return line.substr(column - 1, count);
}

inline constexpr std::size_t kValueLength = 1024;

// The value of a line from the 1-based column on, cut to its longest length.
inline std::string_view valueFrom(std::string_view line, std::size_t column)
{
    return columns(line, column, kValueLength);
}

// Whether the line begins with the keyword, compared after upper-casing the
// letters a to z of the line only. The keyword is given in upper case.
inline bool hasKeyword(std::string_view line, std::string_view keyword)
{
    if (line.size() < keyword.size())
        return false;
    for (std::size_t i = 0; i < keyword.size(); ++i) {
        char c = line[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != keyword[i])
            return false;
    }
    return true;
}

} // namespace character
