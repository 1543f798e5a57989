#pragma once

// What stands at a place of a definition text: a pattern number (in a
// pattern line or a list), an animation number or list keyword, or the
// sheet line.

#include "lsp/Index.h"

#include <cstddef>

namespace lsp {

struct Target {
    enum class Kind { none, patternLine, listEntry, animation, sheetName, sheetKeyword };
    Kind kind = Kind::none;
    int pattern = 0;
    int animation = 0;
    SourceRange at; // the text that names it
    const PatternDefinition* definition = nullptr; // of a pattern line
    const ListEntry* entry = nullptr;
    const ListLine* list = nullptr;
};

// `line` and `column` as the reader counts (from 1). A place right after a
// name still names it, as editors put the caret there.
Target targetAt(const Index& index, std::size_t line, std::size_t column);

bool contains(const SourceRange& at, std::size_t line, std::size_t column);

} // namespace lsp
