#pragma once

// Applies the items of a definition file to the character tables and the
// window as the parser hands them over, one at a time, so that a failing
// line leaves everything above it applied.

#include "character/CharacterTables.h"
#include "character/DefinitionReader.h"
#include "form/FormControls.h"

#include <cstdint>
#include <string>
#include <string_view>

class TDirectDrawSurface;

namespace character {

class TableWriter : public DefinitionSink {
public:
    TableWriter(
        CharacterState& state, form::FormControls& form, TDirectDrawSurface* sheet, const std::string& path);

    // Parses the definition file, applying every item as it comes.
    void read();

    // How many sheet lines the file has had so far.
    int sheetLines() const { return m_sheetLines; }

    void characterName(std::string_view name, const SourceRange& at) override;
    void frameInterval(std::int32_t milliseconds, const SourceRange& at) override;
    // The parser keeps the numbering mode; it is recorded only for tools
    // that write pattern numbers as the file does.
    void hexNumberingOn(const SourceRange&) override { m_state.hexNumbering = true; }
    void sheetName(std::string_view name, const SourceRange& at) override;
    void baseFrame(int animation, int frameIndex, std::int32_t pattern, const SourceRange& at) override;
    void baseListEnd(int animation, const SourceRange& number, const SourceRange& list) override;
    void layerFrame(int animation, int frameIndex, std::int32_t pattern, const SourceRange& at) override;
    void placementFrame(int animation, int frameIndex, std::int32_t pattern, const SourceRange& at) override;
    void layerListsEnd(int animation, const SourceRange& number, const SourceRange& layer,
        const SourceRange& placement) override;
    void pattern(int number, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
        const PatternPlaces& at) override;

private:
    void storeFrame(FrameTable& table, int animation, int frameIndex, std::int32_t pattern);
    void enableButton(int animation);

    CharacterState& m_state;
    form::FormControls& m_form;
    TDirectDrawSurface* m_sheet;
    const std::string& m_path;
    std::string m_folder;
    int m_sheetLines = 0;
};

} // namespace character
