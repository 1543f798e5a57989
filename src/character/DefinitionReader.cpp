#include "character/DefinitionReader.h"

#include "character/CharacterConsts.h"
#include "character/Integer.h"
#include "character/Lines.h"
#include "character/TextTerms.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

#include <algorithm>

namespace character {

namespace {

class DefinitionParser {
public:
    explicit DefinitionParser(DefinitionSink& sink)
        : m_sink(sink)
    {
    }

    // A line is tested against the kinds in a fixed order. Every keyword
    // begins with "#" and a letter pair that is no number, so at most one
    // keyword matches and a keyword line is never a pattern line: the first
    // test that passes is the only one.
    void line(std::string_view line, std::size_t number)
    {
        m_line = line;
        m_current = SourceRange { number, 1, 1 };
        m_sink.beginLine(line, number);
        if (line.empty() || line.front() != '#')
            m_sink.ignoredLine(line, at(line));
        else if (hasKeyword(line, kNameKeyword))
            nameLine(value(kNameColumn));
        else if (hasKeyword(line, kIntervalKeyword))
            intervalLine(trimmed(value(kIntervalColumn)));
        else if (hasKeyword(line, kNumberingKeyword))
            numberingLine();
        else if (hasKeyword(line, kSheetKeyword))
            sheetLine(value(kSheetColumn));
        else if (hasKeyword(line, kBaseListKeyword))
            baseListLine(trimmed(value(kBaseListColumn)));
        else if (hasKeyword(line, kLayerKeyword))
            layerLine(trimmed(value(kLayerColumn)));
        else
            patternLine();
    }

    // The text that the parser was at when something failed.
    const SourceRange& current() const { return m_current; }

private:
    // Every text the parser looks at is a view into the line, so its place
    // is where the view starts.
    SourceRange at(std::string_view text) const
    {
        const char* begin = m_line.data();
        std::size_t offset = m_line.size();
        if (text.data() >= begin && text.data() <= begin + m_line.size())
            offset = static_cast<std::size_t>(text.data() - begin);
        return SourceRange { m_current.line, offset + 1, offset + 1 + text.size() };
    }

    void ignore(IgnoredText what, std::string_view text) { m_sink.ignoredText(what, at(text)); }

    // The value of the line from a column, telling what the length limit cut.
    std::string_view value(std::size_t column)
    {
        const std::string_view text = valueFrom(m_line, column);
        if (column - 1 + text.size() < m_line.size())
            ignore(IgnoredText::valueCut, m_line.substr(column - 1 + text.size()));
        return text;
    }

    // Conversions remember their text first, so a failure is placed on it.
    std::int32_t integer(std::string_view text)
    {
        m_current = at(text);
        return strToInt(text);
    }
    std::int32_t pair(std::string_view text)
    {
        m_current = at(text);
        return hexPair(text);
    }

    // The first word of a value is used; the rest is passed over.
    std::string_view firstWord(std::string_view value, IgnoredText rest)
    {
        const std::string_view text = trimmed(value);
        const std::string_view first = word(text);
        if (first.size() < text.size())
            ignore(rest, trimmed(text.substr(first.size())));
        m_current = at(first);
        return first;
    }

    void nameLine(std::string_view value)
    {
        const std::string_view name = firstWord(value, IgnoredText::nameRest);
        m_sink.characterName(name, m_current);
    }

    void intervalLine(std::string_view value)
    {
        const std::int32_t milliseconds = integer(value);
        m_sink.frameInterval(milliseconds, m_current);
    }

    void sheetLine(std::string_view value)
    {
        const std::string_view name = firstWord(value, IgnoredText::sheetRest);
        m_sink.sheetName(name, m_current);
    }

    void numberingLine()
    {
        // Upper-casing touches only a to z, so it cannot make or break a
        // match with "16".
        const std::string_view text = trimmed(columns(m_line, kNumberingColumn, kNumberingWidth));
        if (text == "16") {
            m_hexNumbering = true;
            m_sink.hexNumberingOn(at(text));
        } else {
            ignore(IgnoredText::numberingValue, text);
        }
    }

    // The animation number is checked before any pair of its line reaches
    // the sink, so a line for a row that does not exist changes nothing.
    int animationNumber(std::string_view listValue)
    {
        const std::int32_t animation = integer(trimmed(listValue.substr(0, 2)));
        if (animation < 0 || animation > kLastAnimationNumber)
            throw ERangeError(platform::format(kSAnimationOutOfRange, animation));
        return animation;
    }

    // The list part of a base list or layer line: everything after the
    // animation number's two characters.
    static std::string_view listsText(std::string_view listValue)
    {
        return trimmed(listValue.substr(std::min<std::size_t>(2, listValue.size())));
    }

    // Lists are most of a large file; two plain digits are read here, and
    // anything else goes the long way, which gives the same value or the
    // failure with its message.
    std::int32_t listPair(std::string_view text)
    {
        const int high = platform::hexDigitValue(text[0]);
        const int low = platform::hexDigitValue(text[1]);
        if (high >= 0 && low >= 0)
            return high * 16 + low;
        return pair(text);
    }

    template <typename Store> void decodeList(std::string_view list, Store store)
    {
        const std::size_t pairs = list.size() / 2;
        const std::size_t count = std::min<std::size_t>(pairs, kLastListFrame);
        const SourceRange first = at(list.substr(0, 2));
        for (std::size_t k = 1; k <= count; ++k) {
            const std::int32_t pattern = listPair(list.substr(2 * k - 2, 2));
            // Written member by member and handed on as it is: a place
            // copied whole right after one of its members was written
            // stalls the processor on every pair.
            const std::size_t column = first.column + 2 * (k - 1);
            m_current = SourceRange { first.line, column, column + 2 };
            store(static_cast<int>(k), pattern, m_current);
        }
        if (pairs > count)
            ignore(IgnoredText::listOverflow, list.substr(2 * count, 2 * (pairs - count)));
        if (list.size() % 2 != 0)
            ignore(IgnoredText::listOddCharacter, list.substr(list.size() - 1));
    }

    void baseListLine(std::string_view value)
    {
        const int animation = animationNumber(value);
        const SourceRange number = m_current;
        const std::string_view lists = listsText(value);
        const std::string_view first = word(lists);
        if (first.size() < lists.size())
            ignore(IgnoredText::listRest, trimmed(lists.substr(first.size())));
        const std::string_view list = trimmed(first);
        decodeList(
            list, [&](int k, std::int32_t p, const SourceRange& r) { m_sink.baseFrame(animation, k, p, r); });
        m_current = number;
        m_sink.baseListEnd(animation, number, at(list));
    }

    void layerLine(std::string_view value)
    {
        const int animation = animationNumber(value);
        const SourceRange number = m_current;
        const std::string_view lists = listsText(value);
        const std::string_view layerList = word(lists);
        // The placement list starts right after the one blank or tab that
        // ended the layer list; a second one makes it empty.
        std::string_view placementList = lists.substr(lists.size());
        if (layerList.size() < lists.size()) {
            const std::string_view after = lists.substr(layerList.size() + 1);
            placementList = word(after);
            const std::string_view rest = trimmed(after.substr(placementList.size()));
            if (!rest.empty())
                ignore(IgnoredText::listRest, rest);
        }
        decodeList(layerList,
            [&](int k, std::int32_t p, const SourceRange& r) { m_sink.layerFrame(animation, k, p, r); });
        decodeList(placementList,
            [&](int k, std::int32_t p, const SourceRange& r) { m_sink.placementFrame(animation, k, p, r); });
        m_current = number;
        m_sink.layerListsEnd(animation, number, at(layerList), at(placementList));
    }

    // The pattern number of a "#" line, or 0 when the line is no pattern
    // line. In decimal numbering a text that is no number just means that;
    // in hexadecimal numbering a two-character text must be a pair.
    int patternNumber(std::string_view& text)
    {
        std::int32_t number = 0;
        if (!m_hexNumbering) {
            text = trimmed(columns(m_line, kPatternNumberColumn, 2));
            if (!tryStrToInt(text, number))
                return 0;
        } else {
            if (trimmed(columns(m_line, kPatternNumberColumn, 3)).size() != 2)
                return 0;
            text = columns(m_line, kPatternNumberColumn, 2);
            number = pair(text);
        }
        return number >= 1 && number <= kLastPatternNumber ? number : 0;
    }

    void patternLine()
    {
        std::string_view numberText;
        const int number = patternNumber(numberText);
        if (number == 0) {
            m_sink.ignoredLine(m_line, at(m_line));
            return;
        }
        // Values are words separated by any run of blanks and tabs; whatever
        // follows the fourth is room for a comment.
        std::string_view rest = trimmed(value(kPatternValueColumn));
        std::string_view texts[4];
        DefinitionSink::PatternPlaces places { at(numberText), {} };
        for (std::size_t i = 0; i < 4; ++i) {
            texts[i] = word(rest);
            places.values[i] = at(texts[i]);
            rest.remove_prefix(std::min(texts[i].size() + 1, rest.size()));
            rest = trimmed(rest);
        }
        // Converted from the last to the first, so a line with several bad
        // values reports the last one.
        const std::int32_t height = integer(texts[3]);
        const std::int32_t width = integer(texts[2]);
        const std::int32_t top = integer(texts[1]);
        const std::int32_t left = integer(texts[0]);
        m_current = places.number;
        m_sink.pattern(number, left, top, width, height, places);
    }

    DefinitionSink& m_sink;
    std::string_view m_line;
    SourceRange m_current;
    bool m_hexNumbering = false;
};

} // namespace

void parseDefinition(std::span<const std::uint8_t> text, DefinitionSink& sink)
{
    DefinitionParser parser(sink);
    LineReader lines(text);
    std::string_view line;
    for (std::size_t number = 1; lines.next(line); ++number) {
        try {
            parser.line(line, number);
        } catch (const Exception& error) {
            if (!sink.lineFailed(error, parser.current()))
                throw;
        }
    }
}

std::vector<std::uint8_t> readDefinitionBytes(const std::string& path)
{
    return platform::readWholeFile(path, kDefinitionFileLimit);
}

void readDefinitionFile(const std::string& path, DefinitionSink& sink)
{
    const std::vector<std::uint8_t> text = readDefinitionBytes(path);
    parseDefinition(text, sink);
}

} // namespace character
