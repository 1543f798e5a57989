#pragma once

// The reader of character definition files. Definition files come from
// anywhere a user drops them from, so everything here treats the text as
// untrusted: every value is a view into the file's own buffer, cut to its
// line, and nothing is allocated per line.
//
// The reader hands the items of the file to a sink in file order, one at a
// time; the sink applies each before the next one is read. A failure stops
// the parse by an exception and leaves applied whatever was handed over
// before it, down to the pairs of a list stored so far.

#include "platform/Exception.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace character {

inline constexpr int kLastAnimationNumber = 30;
// Lists fill the frame indexes 1 to 255; pairs past that are ignored unread.
inline constexpr int kLastListFrame = 255;

class DefinitionSink {
public:
    virtual ~DefinitionSink() = default;

    // Raw bytes of the file, no character-set conversion; may be empty.
    virtual void characterName(std::string_view name) = 0;
    virtual void frameInterval(std::int32_t milliseconds) = 0;
    virtual void hexNumberingOn() = 0;
    // A file name relative to the definition file's folder.
    virtual void sheetName(std::string_view name) = 0;

    // A base list line: its frames one by one, then its end, which comes
    // only when the whole list was decoded.
    virtual void baseFrame(int animation, int frameIndex, std::int32_t pattern) = 0;
    virtual void baseListEnd(int animation) = 0;

    // A layer line: the whole layer list, then the placement list, then the
    // end, which comes only when both lists were decoded.
    virtual void layerFrame(int animation, int frameIndex, std::int32_t pattern) = 0;
    virtual void placementFrame(int animation, int frameIndex, std::int32_t pattern) = 0;
    virtual void layerListsEnd(int animation) = 0;

    // A pattern line: pattern number 1 to 255 and its four values.
    virtual void pattern(
        int number, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
        = 0;
};

// A base list or layer line names an animation that has no row in the tables.
class ERangeError : public Exception {
    using Exception::Exception;
};

// Parses a whole definition text. Hexadecimal numbering starts off.
// Raises EConvertError for a bad number and ERangeError for an animation
// number outside 0 to 30; exceptions of the sink pass through.
void parseDefinition(std::span<const std::uint8_t> text, DefinitionSink& sink);

// Reads the file whole (EFOpenError when it cannot be opened), then parses it.
void readDefinitionFile(const std::string& path, DefinitionSink& sink);

} // namespace character
