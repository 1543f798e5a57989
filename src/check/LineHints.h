#pragma once

// Why a line that the reader passed over was probably meant to be read: a
// misspelt keyword, an indented line, a pattern number the numbering mode
// does not take. Lines that are plainly comments get no hint.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace check {

struct LineHint {
    std::string message;
    std::size_t column; // the columns [column, endColumn) the hint is about
    std::size_t endColumn;
};

std::optional<LineHint> ignoredLineHint(std::string_view line, bool hexNumbering);

// The keyword nearest to a word, by edit distance without regard to case,
// when it is near enough to be a misspelling of it.
std::optional<std::string_view> nearestKeyword(std::string_view word);

inline bool startsWithByteOrderMark(std::string_view text)
{
    return text.starts_with("\xEF\xBB\xBF");
}

} // namespace check
