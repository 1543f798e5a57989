#pragma once

// What the language features need to know of a definition text: every
// pattern line, every list entry and every list line, with their places in
// the reader's byte columns. It is read by the load's own reader, going on
// after a failing line as the checker does, so that it agrees with the
// checker about what each line is.

#include "character/CharacterTables.h"
#include "character/DefinitionReader.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lsp {

using character::SourceRange;

struct PatternDefinition {
    int number = 0;
    std::array<std::int32_t, 4> values {}; // left, top, width, height
    SourceRange numberAt;
    SourceRange valuesAt;
    bool hexNumbering = false; // the line was read in hexadecimal numbering
};

enum class ListKind { base, layer, placement };

struct ListEntry {
    int animation = 0;
    ListKind kind = ListKind::base;
    int frame = 0;
    std::int32_t pattern = 0;
    SourceRange at;
};

struct ListLine {
    int animation = 0;
    bool layer = false;
    SourceRange keyword;
    SourceRange number;
    SourceRange list; // the base list, or the layer list
    SourceRange placement;
};

struct Index {
    std::string name; // the file's bytes
    SourceRange nameAt;
    bool hasSheet = false;
    std::string sheetName; // the last sheet line's, as written
    SourceRange sheetAt;
    SourceRange sheetKeyword;
    std::int32_t interval = character::kDefaultFrameInterval;
    std::vector<PatternDefinition> patterns; // in file order; a later line wins
    std::vector<ListEntry> entries; // in file order
    std::vector<ListLine> lists; // lines whose lists were read whole
    std::size_t lastPatternLine = 0;
    std::size_t numberingLine = 0; // 0 for decimal numbering throughout
    // The tables as a load leaves them, for frame counts.
    character::FrameTable base;
    character::FrameTable layer;

    // The line that defines a pattern in the end; null when none does.
    const PatternDefinition* definition(int number) const;
    // Frames until both the base and the layer slot are empty.
    int frameCount(int animation) const;
};

Index indexDefinition(std::span<const std::uint8_t> text);

} // namespace lsp
