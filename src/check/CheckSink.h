#pragma once

// The checker's side of the definition reader: a sink that records what a
// load would apply, with the places that applied it, instead of applying it,
// and writes down on the way what the reader passes over and every line that
// fails. It goes on after a failing line, as if the load had.

#include "check/CheckModel.h"
#include "check/Diagnostic.h"

#include <functional>
#include <memory>
#include <string>

namespace check {

// Opens the sheet image at a path as a load would, raising what the load
// would raise.
using SheetOpener = std::function<SheetSize(const std::string& path)>;

class CheckSink : public character::DefinitionSink {
public:
    CheckSink(std::string definitionFolder, SheetOpener opener, std::vector<Diagnostic>& out);

    const CheckModel& model() const { return *m_model; }

    void characterName(std::string_view name, const SourceRange& at) override;
    void frameInterval(std::int32_t milliseconds, const SourceRange& at) override;
    void hexNumberingOn(const SourceRange& at) override;
    void sheetName(std::string_view name, const SourceRange& at) override;
    void baseFrame(int animation, int frameIndex, std::int32_t pattern, const SourceRange& at) override;
    void baseListEnd(int animation, const SourceRange& number, const SourceRange& list) override;
    void layerFrame(int animation, int frameIndex, std::int32_t pattern, const SourceRange& at) override;
    void placementFrame(int animation, int frameIndex, std::int32_t pattern, const SourceRange& at) override;
    void layerListsEnd(int animation, const SourceRange& number, const SourceRange& layer,
        const SourceRange& placement) override;
    void pattern(int number, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
        const PatternPlaces& at) override;
    void ignoredText(character::IgnoredText what, const SourceRange& at) override;
    void ignoredLine(std::string_view line, const SourceRange& at) override;
    bool lineFailed(const Exception& error, const SourceRange& at) override;
    void beginLine(std::string_view line, std::size_t number) override;

private:
    void warn(std::string_view code, std::string message, const SourceRange& at);
    void store(SlotTable& table, RowReaches& reach, int animation, int frameIndex, std::int32_t pattern,
        const SourceRange& at);
    void listEnd(const RowReaches& reach, int animation, const SourceRange& list);
    void listLine(int animation, const SourceRange& number);
    // The text of the current line at a place, decoded for a message.
    std::string quote(const SourceRange& at) const;

    std::string m_folder;
    SheetOpener m_opener;
    std::vector<Diagnostic>& m_out;
    std::unique_ptr<CheckModel> m_model;
    std::array<std::size_t, character::kPatternCount> m_lastUseLine {};
    std::size_t m_lineNumber = 0;
    std::string_view m_line;
};

} // namespace check
