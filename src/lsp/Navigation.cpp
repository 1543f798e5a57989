#include "lsp/Describe.h"
#include "lsp/Features.h"
#include "lsp/Server.h"
#include "lsp/Target.h"
#include "lsp/Uri.h"

#include "character/Integer.h"
#include "platform/FileSystem.h"

namespace lsp {

namespace {

Target patternTarget(const Context& context, const Json& position)
{
    const auto [line, column] = context.column(position);
    const Target target = targetAt(context.analysis.index, line, column);
    if (target.kind != Target::Kind::patternLine && target.kind != Target::Kind::listEntry)
        return Target {};
    return target;
}

Json location(const Context& context, const SourceRange& at)
{
    return Json { { "uri", context.document.uri() }, { "range", context.range(at) } };
}

// The new number as the place it was asked at writes numbers: decimal in a
// pattern line of decimal numbering, hexadecimal anywhere else.
int newNumber(const Target& target, std::string text)
{
    if (text.starts_with("#"))
        text.erase(0, 1);
    const bool decimal = target.kind == Target::Kind::patternLine && !target.definition->hexNumbering;
    std::int32_t value = 0;
    const bool ok = !text.empty() && text.size() <= 3 && text.front() != '-' && text.front() != '+'
        && character::tryStrToInt(decimal ? text : "$" + text, value);
    if (!ok)
        throw Refusal("'" + text + "' はパターン番号ではありません");
    return value;
}

} // namespace

Json definition(const Context& context, const Json& position)
{
    const auto [line, column] = context.column(position);
    const Index& index = context.analysis.index;
    const Target target = targetAt(index, line, column);
    if (target.kind == Target::Kind::sheetName) {
        const std::string path = sheetPathOf(context.document, index);
        if (!platform::fileStamp(path).exists)
            return nullptr;
        return Json { { "uri", uriOfPath(path) },
            { "range",
                { { "start", { { "line", 0 }, { "character", 0 } } },
                    { "end", { { "line", 0 }, { "character", 0 } } } } } };
    }
    if (target.kind != Target::Kind::listEntry && target.kind != Target::Kind::patternLine)
        return nullptr;
    const PatternDefinition* d = index.definition(target.pattern);
    return d == nullptr ? Json(nullptr) : location(context, d->numberAt);
}

Json references(const Context& context, const Json& position, bool withDefinition)
{
    const Target target = patternTarget(context, position);
    if (target.kind == Target::Kind::none)
        return nullptr;
    const Index& index = context.analysis.index;
    Json out = Json::array();
    if (withDefinition) {
        for (const PatternDefinition& d : index.patterns) {
            if (d.number == target.pattern)
                out.push_back(location(context, d.numberAt));
        }
    }
    for (const ListEntry& e : index.entries) {
        if (e.pattern == target.pattern)
            out.push_back(location(context, e.at));
    }
    return out;
}

Json prepareRename(const Context& context, const Json& position)
{
    const Target target = patternTarget(context, position);
    if (target.kind == Target::Kind::none || target.pattern == 0)
        return nullptr;
    const bool decimal = target.kind == Target::Kind::patternLine && !target.definition->hexNumbering;
    return Json { { "range", context.range(target.at) },
        { "placeholder", decimal ? lineForm(target.pattern, false) : listForm(target.pattern) } };
}

Json rename(const Context& context, const Json& position, const std::string& newName)
{
    const Target target = patternTarget(context, position);
    if (target.kind == Target::Kind::none || target.pattern == 0)
        throw Refusal("ここにはパターン番号がありません");
    const int to = newNumber(target, newName);
    const Index& index = context.analysis.index;
    if (to == target.pattern)
        return Json { { "changes", Json::object() } };
    if (to < 1 || to > character::kLastPatternNumber)
        throw Refusal("パターン番号 " + newName + " は 1 から 255 の外です");
    if (index.definition(to) != nullptr)
        throw Refusal("パターン " + listForm(to) + " はすでに定義されています");
    Json edits = Json::array();
    for (const PatternDefinition& d : index.patterns) {
        if (d.number != target.pattern)
            continue;
        if (!d.hexNumbering && to > 99)
            throw Refusal("パターン " + listForm(to) + " (十進 " + std::to_string(to) + ") は "
                + std::to_string(d.numberAt.line) + " 行目の十進の番号付けでは書けません");
        // Columns 2 and 3 hold the number in both numberings; the whole
        // pair is written, so that "# 7" and "#7 " stay pattern lines.
        const std::size_t lineLength = context.document.document().line(d.numberAt.line - 1).size();
        SourceRange place { d.numberAt.line, character::kPatternNumberColumn,
            character::kPatternValueColumn };
        place.endColumn = std::min(place.endColumn,
            std::max(place.column, context.analysis.disk.column(d.numberAt.line - 1, lineLength)));
        edits.push_back(
            Json { { "range", context.range(place) }, { "newText", lineForm(to, d.hexNumbering) } });
    }
    for (const ListEntry& e : index.entries) {
        if (e.pattern == target.pattern)
            edits.push_back(Json { { "range", context.range(e.at) }, { "newText", listForm(to) } });
    }
    return Json { { "changes", { { context.document.uri(), edits } } } };
}

} // namespace lsp
