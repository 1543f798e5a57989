#include "export/DefinitionListing.h"

#include "character/DefinitionReader.h"
#include "character/Lines.h"
#include "character/NameText.h"

#include <string_view>

namespace exporter {

namespace {

class PatternSink : public character::DefinitionSink {
public:
    explicit PatternSink(DefinitionListing& listing)
        : m_lines(listing.patternLine)
        , m_sheetName(listing.sheetName)
    {
    }

    void sheetName(std::string_view name, const character::SourceRange&) override
    {
        m_sheetName = character::nameToUtf8(name);
    }
    void pattern(
        int number, std::int32_t, std::int32_t, std::int32_t, std::int32_t, const PatternPlaces& at) override
    {
        if (number >= 0 && number < static_cast<int>(m_lines.size()))
            m_lines[static_cast<std::size_t>(number)] = static_cast<int>(at.number.line);
    }

private:
    std::array<int, 256>& m_lines;
    std::string& m_sheetName;
};

// The reader stops at the first failing line, as the load does, and the
// places it hands over are its own line numbers.
void findPatternLines(DefinitionListing& listing, std::span<const std::uint8_t> text)
{
    PatternSink sink(listing);
    try {
        character::parseDefinition(text, sink);
    } catch (const std::exception&) {
        // What came before the failing line stays listed.
    }
}

} // namespace

DefinitionListing readDefinitionListing(const std::string& path)
{
    try {
        return definitionListing(character::readDefinitionBytes(path));
    } catch (const std::exception&) {
        return DefinitionListing {};
    }
}

DefinitionListing definitionListing(std::span<const std::uint8_t> text)
{
    DefinitionListing listing;
    listing.readable = true;
    character::LineReader reader(text);
    std::string_view line;
    while (reader.next(line))
        listing.lines.push_back(character::nameToUtf8(line));
    findPatternLines(listing, text);
    return listing;
}

} // namespace exporter
