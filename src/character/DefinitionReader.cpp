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
    void line(std::string_view line)
    {
        if (line.empty() || line.front() != '#')
            return;
        if (hasKeyword(line, "#CHARNAME"))
            m_sink.characterName(word(trimmed(valueFrom(line, 10))));
        else if (hasKeyword(line, "#ANIME"))
            m_sink.frameInterval(strToInt(trimmed(valueFrom(line, 7))));
        else if (hasKeyword(line, "#DATA"))
            numberingLine(line);
        else if (hasKeyword(line, "#CHARBMP"))
            m_sink.sheetName(word(trimmed(valueFrom(line, 9))));
        else if (hasKeyword(line, "#PATERN"))
            baseListLine(line);
        else if (hasKeyword(line, "#LAYER"))
            layerLine(line);
        else
            patternLine(line);
    }

private:
    void numberingLine(std::string_view line)
    {
        // Upper-casing touches only a to z, so it cannot make or break a
        // match with "16".
        if (trimmed(columns(line, 6, 4)) == "16") {
            m_hexNumbering = true;
            m_sink.hexNumberingOn();
        }
    }

    // The animation number is checked before any pair of its line reaches
    // the sink, so a line for a row that does not exist changes nothing.
    static int animationNumber(std::string_view listValue)
    {
        const std::int32_t animation = strToInt(trimmed(listValue.substr(0, 2)));
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
    static std::int32_t listPair(std::string_view pair)
    {
        const int high = platform::hexDigitValue(pair[0]);
        const int low = platform::hexDigitValue(pair[1]);
        if (high >= 0 && low >= 0)
            return high * 16 + low;
        return hexPair(pair);
    }

    template <typename Store> static void decodeList(std::string_view list, Store store)
    {
        const std::size_t count = std::min<std::size_t>(list.size() / 2, kLastListFrame);
        for (std::size_t k = 1; k <= count; ++k)
            store(static_cast<int>(k), listPair(list.substr(2 * k - 2, 2)));
    }

    void baseListLine(std::string_view line)
    {
        const std::string_view value = trimmed(valueFrom(line, 8));
        const int animation = animationNumber(value);
        decodeList(trimmed(word(listsText(value))),
            [&](int k, std::int32_t p) { m_sink.baseFrame(animation, k, p); });
        m_sink.baseListEnd(animation);
    }

    void layerLine(std::string_view line)
    {
        const std::string_view value = trimmed(valueFrom(line, 7));
        const int animation = animationNumber(value);
        const std::string_view lists = listsText(value);
        const std::string_view layerList = word(lists);
        // The placement list starts right after the one blank or tab that
        // ended the layer list; a second one makes it empty.
        std::string_view placementList;
        if (layerList.size() < lists.size())
            placementList = word(lists.substr(layerList.size() + 1));
        decodeList(layerList, [&](int k, std::int32_t p) { m_sink.layerFrame(animation, k, p); });
        decodeList(placementList, [&](int k, std::int32_t p) { m_sink.placementFrame(animation, k, p); });
        m_sink.layerListsEnd(animation);
    }

    // The pattern number of a "#" line, or 0 when the line is no pattern
    // line. In decimal numbering a text that is no number just means that;
    // in hexadecimal numbering a two-character text must be a pair.
    int patternNumber(std::string_view line) const
    {
        std::int32_t number = 0;
        if (!m_hexNumbering) {
            if (!tryStrToInt(trimmed(columns(line, 2, 2)), number))
                return 0;
        } else {
            if (trimmed(columns(line, 2, 3)).size() != 2)
                return 0;
            number = hexPair(columns(line, 2, 2));
        }
        return number >= 1 && number <= 255 ? number : 0;
    }

    void patternLine(std::string_view line)
    {
        const int number = patternNumber(line);
        if (number == 0)
            return;
        // Values are words separated by any run of blanks and tabs; whatever
        // follows the fourth is room for a comment.
        std::string_view rest = trimmed(valueFrom(line, 4));
        std::string_view texts[4];
        for (std::string_view& text : texts) {
            text = word(rest);
            rest.remove_prefix(std::min(text.size() + 1, rest.size()));
            rest = trimmed(rest);
        }
        // Converted from the last to the first, so a line with several bad
        // values reports the last one.
        const std::int32_t height = strToInt(texts[3]);
        const std::int32_t width = strToInt(texts[2]);
        const std::int32_t top = strToInt(texts[1]);
        const std::int32_t left = strToInt(texts[0]);
        m_sink.pattern(number, left, top, width, height);
    }

    DefinitionSink& m_sink;
    bool m_hexNumbering = false;
};

} // namespace

void parseDefinition(std::span<const std::uint8_t> text, DefinitionSink& sink)
{
    DefinitionParser parser(sink);
    LineReader lines(text);
    std::string_view line;
    while (lines.next(line))
        parser.line(line);
}

void readDefinitionFile(const std::string& path, DefinitionSink& sink)
{
    const std::vector<std::uint8_t> text = platform::readWholeFile(path);
    parseDefinition(text, sink);
}

} // namespace character
