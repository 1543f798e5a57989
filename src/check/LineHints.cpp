#include "check/LineHints.h"

#include "character/DefinitionReader.h"
#include "character/Integer.h"
#include "character/NameText.h"
#include "character/TextTerms.h"
#include "check/CheckMessages.h"
#include "platform/Exception.h"
#include "platform/Text.h"

#include <algorithm>
#include <array>

namespace check {

using character::columns;
using character::trimmed;
using character::word;

namespace {

// Longer words are no misspelt keyword; this also bounds the work.
constexpr std::size_t kLongestGuess = 16;
constexpr std::size_t kFarthestGuess = 2;

bool isLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::size_t editDistance(std::string_view a, std::string_view b)
{
    std::array<std::size_t, kLongestGuess + 2> row {};
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            const std::size_t change = diagonal + (upper(a[i - 1]) == b[j - 1] ? 0 : 1);
            row[j] = std::min({ above + 1, row[j - 1] + 1, change });
            diagonal = above;
        }
    }
    return row[b.size()];
}

// Two hexadecimal digits, one of them a letter, then the end of the word:
// a pattern number written for hexadecimal numbering.
bool looksHexadecimal(std::string_view line)
{
    if (line.size() < 3 || platform::hexDigitValue(line[1]) < 0 || platform::hexDigitValue(line[2]) < 0)
        return false;
    if (!isLetter(line[1]) && !isLetter(line[2]))
        return false;
    return line.size() == 3 || line[3] == ' ' || line[3] == '\t';
}

bool allHexadecimal(std::string_view text)
{
    return !text.empty()
        && std::all_of(text.begin(), text.end(), [](char c) { return platform::hexDigitValue(c) >= 0; });
}

std::string decoded(std::string_view bytes)
{
    return character::nameToUtf8(bytes.substr(0, kLongestGuess));
}

LineHint hint(std::string message, std::size_t offset, std::string_view text)
{
    return LineHint { std::move(message), offset + 1, offset + 1 + text.size() };
}

std::optional<LineHint> letterLineHint(std::string_view line, bool hexNumbering)
{
    const std::string_view first = word(line);
    if (!hexNumbering && looksHexadecimal(line))
        return hint(platform::format(kSDecimalNotNumber, { decoded(line.substr(1, 2)) }), 0, first);
    if (hexNumbering && allHexadecimal(first.substr(1)))
        return hint(kSHexDigits, 0, first);
    std::size_t letters = 1;
    while (letters < line.size() && isLetter(line[letters]))
        ++letters;
    if (const auto keyword = nearestKeyword(line.substr(0, letters)))
        return hint(platform::format(kSUnknownKeyword, { decoded(first), *keyword }), 0, first);
    return hint(platform::format(kSUnknownLine, { decoded(first) }), 0, first);
}

std::optional<LineHint> digitLineHint(std::string_view line, bool hexNumbering)
{
    const std::string_view first = word(line);
    if (!hexNumbering) {
        const std::string_view text = trimmed(columns(line, character::kPatternNumberColumn, 2));
        std::int32_t value = 0;
        if (character::tryStrToInt(text, value))
            return hint(platform::format(kSNumberOutOfRange, { text }), 0, first);
        if (looksHexadecimal(line))
            return hint(platform::format(kSDecimalNotNumber, { decoded(line.substr(1, 2)) }), 0, first);
        return std::nullopt;
    }
    if (trimmed(columns(line, character::kPatternNumberColumn, 3)).size() != 2)
        return hint(kSHexDigits, 0, first);
    // Two digits that pass as a pair but name no pattern that a line defines.
    return hint(platform::format(kSNumberOutOfRange, { line.substr(1, 2) }), 0, first);
}

} // namespace

std::optional<std::string_view> nearestKeyword(std::string_view text)
{
    if (text.size() > kLongestGuess)
        return std::nullopt;
    std::optional<std::string_view> best;
    std::size_t bestDistance = kFarthestGuess + 1;
    for (const std::string_view keyword : character::kKeywords) {
        const std::size_t distance = editDistance(text, keyword);
        if (distance < bestDistance) {
            best = keyword;
            bestDistance = distance;
        }
    }
    return best;
}

std::optional<LineHint> ignoredLineHint(std::string_view line, bool hexNumbering)
{
    if (line.empty())
        return std::nullopt;
    if (line.front() != '#') {
        // A keyword or pattern line that does not start in column 1.
        std::size_t offset = 0;
        while (offset < line.size() && character::isTrimmable(line[offset]))
            ++offset;
        const std::string_view rest = line.substr(offset);
        if (offset > 0 && rest.size() >= 2 && rest[0] == '#' && (isLetter(rest[1]) || isDigit(rest[1])))
            return hint(kSIndented, offset, word(rest));
        return std::nullopt;
    }
    if (line.size() < 2)
        return std::nullopt;
    if (isLetter(line[1]))
        return letterLineHint(line, hexNumbering);
    if (isDigit(line[1]))
        return digitLineHint(line, hexNumbering);
    return std::nullopt;
}

} // namespace check
