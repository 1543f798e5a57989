#include "lsp/Target.h"

#include <algorithm>

namespace lsp {

bool contains(const SourceRange& at, std::size_t line, std::size_t column)
{
    return at.line == line && column >= at.column && column <= at.endColumn && at.endColumn > at.column;
}

namespace {

// Lines are in file order in every list of the index, so a line's items are
// found by a binary search.
template <typename Item, typename Place>
auto firstOnLine(const std::vector<Item>& items, std::size_t line, Place place)
{
    return std::lower_bound(items.begin(), items.end(), line,
        [&](const Item& item, std::size_t l) { return place(item).line < l; });
}

} // namespace

Target targetAt(const Index& index, std::size_t line, std::size_t column)
{
    Target target;
    const auto entryPlace = [](const ListEntry& e) -> const SourceRange& { return e.at; };
    for (auto it = firstOnLine(index.entries, line, entryPlace);
         it != index.entries.end() && it->at.line == line; ++it) {
        // Pairs touch each other: the caret between two belongs to the second.
        if (contains(it->at, line, column)
            && (column < it->at.endColumn || target.kind == Target::Kind::none)) {
            target = Target { Target::Kind::listEntry, it->pattern, it->animation, it->at, nullptr, &*it,
                nullptr };
        }
    }
    if (target.kind != Target::Kind::none)
        return target;
    const auto definitionPlace = [](const PatternDefinition& d) -> const SourceRange& { return d.numberAt; };
    for (auto it = firstOnLine(index.patterns, line, definitionPlace);
         it != index.patterns.end() && it->numberAt.line == line; ++it) {
        if (contains(it->numberAt, line, column))
            return Target { Target::Kind::patternLine, it->number, 0, it->numberAt, &*it, nullptr, nullptr };
    }
    const auto listPlace = [](const ListLine& l) -> const SourceRange& { return l.number; };
    for (auto it = firstOnLine(index.lists, line, listPlace);
         it != index.lists.end() && it->number.line == line; ++it) {
        if (contains(it->number, line, column))
            return Target { Target::Kind::animation, 0, it->animation, it->number, nullptr, nullptr, &*it };
        if (contains(it->keyword, line, column))
            return Target { Target::Kind::animation, 0, it->animation, it->keyword, nullptr, nullptr, &*it };
    }
    if (index.hasSheet && contains(index.sheetAt, line, column))
        return Target { Target::Kind::sheetName, 0, 0, index.sheetAt, nullptr, nullptr, nullptr };
    if (index.hasSheet && contains(index.sheetKeyword, line, column))
        return Target { Target::Kind::sheetKeyword, 0, 0, index.sheetKeyword, nullptr, nullptr, nullptr };
    return target;
}

} // namespace lsp
