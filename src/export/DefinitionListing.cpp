#include "export/DefinitionListing.h"

#include "character/DefinitionReader.h"
#include "character/Lines.h"
#include "character/NameText.h"
#include "platform/FileSystem.h"

#include <string_view>

namespace exporter {

namespace {

class PatternSink : public character::DefinitionSink {
public:
    void characterName(std::string_view, const character::SourceRange&) override { }
    void frameInterval(std::int32_t, const character::SourceRange&) override { }
    void hexNumberingOn(const character::SourceRange&) override { hex = true; }
    void sheetName(std::string_view, const character::SourceRange&) override { }
    void baseFrame(int, int, std::int32_t, const character::SourceRange&) override { }
    void baseListEnd(int, const character::SourceRange&, const character::SourceRange&) override { }
    void layerFrame(int, int, std::int32_t, const character::SourceRange&) override { }
    void placementFrame(int, int, std::int32_t, const character::SourceRange&) override { }
    void layerListsEnd(int, const character::SourceRange&, const character::SourceRange&,
        const character::SourceRange&) override
    {
    }
    void pattern(
        int number, std::int32_t, std::int32_t, std::int32_t, std::int32_t, const PatternPlaces&) override
    {
        defined = number;
    }

    bool hex = false;
    int defined = -1;
};

// The numbering line is the reader's only state from line to line, so a
// line read alone, behind a numbering line when one came before, is read as
// it is within the file.
void findPatternLines(DefinitionListing& listing, std::span<const std::uint8_t> text)
{
    static constexpr std::string_view kHexOn = "#DATA 16\n";
    character::LineReader reader(text);
    PatternSink sink;
    std::string_view line;
    std::string alone;
    for (int number = 1; reader.next(line); ++number) {
        alone.assign(sink.hex ? kHexOn : std::string_view());
        alone.append(line);
        sink.defined = -1;
        try {
            character::parseDefinition(
                std::span(reinterpret_cast<const std::uint8_t*>(alone.data()), alone.size()), sink);
        } catch (const std::exception&) {
            return;
        }
        if (sink.defined >= 0 && sink.defined < static_cast<int>(listing.patternLine.size()))
            listing.patternLine[static_cast<std::size_t>(sink.defined)] = number;
    }
}

} // namespace

DefinitionListing readDefinitionListing(const std::string& path)
{
    DefinitionListing listing;
    std::vector<std::uint8_t> text;
    try {
        text = platform::readWholeFile(path);
    } catch (const std::exception&) {
        return listing;
    }
    listing.readable = true;
    character::LineReader reader(text);
    std::string_view line;
    while (reader.next(line))
        listing.lines.push_back(character::nameToUtf8(line));
    findPatternLines(listing, text);
    return listing;
}

} // namespace exporter
