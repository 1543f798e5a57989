#pragma once

// The reader of character definition files. Definition files come from
// anywhere a user drops them from, so everything here treats the text as
// untrusted: every value is a view into the file's own buffer, cut to its
// line, and nothing is allocated per line.
//
// The reader hands the items of the file to a sink in file order, one at a
// time; the sink applies each before the next one is read. Every item comes
// with the place in the file it was read from. A failure stops the parse by
// an exception and leaves applied whatever was handed over before it, down to
// the pairs of a list stored so far; a sink that wants to see every failing
// line (the checker) may ask to go on with the next line instead.

#include "platform/Exception.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace character {

inline constexpr int kLastAnimationNumber = 30;
// Lists fill the frame indexes 1 to 255; pairs past that are ignored unread.
inline constexpr int kLastListFrame = 255;
// Pattern lines define the numbers 1 to 255; 0 is the empty pattern.
inline constexpr int kLastPatternNumber = 255;

// The keywords of the line kinds, in the order the lines are tested, and the
// column at which each line's value starts: right after its keyword.
inline constexpr std::string_view kNameKeyword = "#CHARNAME";
inline constexpr std::string_view kIntervalKeyword = "#ANIME";
inline constexpr std::string_view kNumberingKeyword = "#DATA";
inline constexpr std::string_view kSheetKeyword = "#CHARBMP";
inline constexpr std::string_view kBaseListKeyword = "#PATERN";
inline constexpr std::string_view kLayerKeyword = "#LAYER";
inline constexpr std::array<std::string_view, 6> kKeywords { kNameKeyword, kIntervalKeyword,
    kNumberingKeyword, kSheetKeyword, kBaseListKeyword, kLayerKeyword };

inline constexpr std::size_t kNameColumn = 10;
inline constexpr std::size_t kIntervalColumn = 7;
inline constexpr std::size_t kNumberingColumn = 6;
inline constexpr std::size_t kNumberingWidth = 4;
inline constexpr std::size_t kSheetColumn = 9;
inline constexpr std::size_t kBaseListColumn = 8;
inline constexpr std::size_t kLayerColumn = 7;
// A pattern line: its number in columns 2 and 3 (decimal numbering looks at
// those two, hexadecimal numbering at 2 to 4), its values from column 4.
inline constexpr std::size_t kPatternNumberColumn = 2;
inline constexpr std::size_t kPatternValueColumn = 4;

// Where a text stands in the file: its line, counted from 1, and the columns
// [column, endColumn) of its bytes, counted from 1. An empty text has
// column == endColumn, at the place where it would have been.
struct SourceRange {
    std::size_t line = 0;
    std::size_t column = 0;
    std::size_t endColumn = 0;
};

// Text that a line holds but the reader does not use. The load never needs
// to know; the checker warns about most of it.
enum class IgnoredText {
    nameRest, // after the first word of a name
    sheetRest, // after the first word of a sheet name
    listOddCharacter, // the last character of a list of odd length
    listOverflow, // pairs past frame 255
    listRest, // after the list of a base list line, or the placement list
    valueCut, // past the longest value a line can have
    numberingValue, // a numbering line whose value is not "16"
};

// What the reader hands over, item by item. Each item does nothing unless a
// sink overrides it, so that a sink names only what it uses.
class DefinitionSink {
public:
    virtual ~DefinitionSink() = default;

    // Raw bytes of the file, no character-set conversion; may be empty.
    virtual void characterName(std::string_view /*name*/, const SourceRange& /*at*/) { }
    virtual void frameInterval(std::int32_t /*milliseconds*/, const SourceRange& /*at*/) { }
    virtual void hexNumberingOn(const SourceRange& /*at*/) { }
    // A file name relative to the definition file's folder.
    virtual void sheetName(std::string_view /*name*/, const SourceRange& /*at*/) { }

    // A base list line: its frames one by one, each at its pair, then its
    // end, which comes only when the whole list was decoded. The end carries
    // the places of the animation number and of the whole list.
    virtual void baseFrame(
        int /*animation*/, int /*frameIndex*/, std::int32_t /*pattern*/, const SourceRange& /*at*/)
    {
    }
    virtual void baseListEnd(int /*animation*/, const SourceRange& /*number*/, const SourceRange& /*list*/) {
    }

    // A layer line: the whole layer list, then the placement list, then the
    // end, which comes only when both lists were decoded.
    virtual void layerFrame(
        int /*animation*/, int /*frameIndex*/, std::int32_t /*pattern*/, const SourceRange& /*at*/)
    {
    }
    virtual void placementFrame(
        int /*animation*/, int /*frameIndex*/, std::int32_t /*pattern*/, const SourceRange& /*at*/)
    {
    }
    virtual void layerListsEnd(int /*animation*/, const SourceRange& /*number*/, const SourceRange& /*layer*/,
        const SourceRange& /*placement*/)
    {
    }

    // A pattern line: pattern number 1 to 255 and its four values, with the
    // places of the number and of the four value texts.
    struct PatternPlaces {
        SourceRange number;
        std::array<SourceRange, 4> values; // left, top, width, height
    };
    virtual void pattern(int /*number*/, std::int32_t /*left*/, std::int32_t /*top*/, std::int32_t /*width*/,
        std::int32_t /*height*/, const PatternPlaces& /*at*/)
    {
    }

    // Each line before its items, with its number counted from 1.
    virtual void beginLine(std::string_view, std::size_t) { }
    // What the reader passes over without a word; a load needs none of it.
    virtual void ignoredText(IgnoredText, const SourceRange&) { }
    // A line that is no line of any kind (a comment, an empty line, a "#"
    // line without a pattern number), with its whole text.
    virtual void ignoredLine(std::string_view, const SourceRange&) { }

    // A line failed at `at`. The load stops there (the error passes on);
    // returning true goes on with the next line, with everything that the
    // failing line handed over before its failure still handed over.
    virtual bool lineFailed(const Exception&, const SourceRange&) { return false; }
};

// A base list or layer line names an animation that has no row in the tables.
class ERangeError : public Exception {
    using Exception::Exception;
};

// Parses a whole definition text. Hexadecimal numbering starts off.
// Raises EConvertError for a bad number and ERangeError for an animation
// number outside 0 to 30; exceptions of the sink pass through. Either may be
// turned into going on by the sink's lineFailed.
void parseDefinition(std::span<const std::uint8_t> text, DefinitionSink& sink);

// Far above any real definition file (the largest hand-written ones are a
// few hundred kilobytes), low enough that reading one never strains memory.
inline constexpr std::int64_t kDefinitionFileLimit = std::int64_t { 64 } << 20;

// The bytes of a definition file: EFOpenError when it cannot be opened as a
// regular file, EReadError ("ファイル %s は大きすぎます") above
// kDefinitionFileLimit.
std::vector<std::uint8_t> readDefinitionBytes(const std::string& path);

// Reads the file whole (readDefinitionBytes), then parses it.
void readDefinitionFile(const std::string& path, DefinitionSink& sink);

} // namespace character
