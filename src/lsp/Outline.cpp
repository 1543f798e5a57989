#include "lsp/Describe.h"
#include "lsp/Features.h"
#include "lsp/Server.h"

#include "character/NameText.h"
#include "character/Paths.h"
#include "platform/Text.h"

#include <algorithm>
#include <filesystem>

namespace lsp {

namespace {

// LSP's completion item and symbol kinds.
enum { kKeywordItem = 14, kValueItem = 12, kFileItem = 17 };
enum { kFileSymbol = 1, kClassSymbol = 5, kFunctionSymbol = 12, kConstantSymbol = 14 };

Json keywordItems()
{
    Json items = Json::array();
    for (const std::string_view keyword : character::kKeywords) {
        std::string insert(keyword);
        insert += keyword == character::kNumberingKeyword ? " 16" : " ";
        items.push_back(Json { { "label", keyword }, { "kind", kKeywordItem }, { "insertText", insert } });
    }
    return items;
}

Json patternItems(const Index& index)
{
    Json items = Json::array();
    std::array<bool, character::kPatternCount> seen {};
    for (auto it = index.patterns.rbegin(); it != index.patterns.rend(); ++it) {
        if (std::exchange(seen[static_cast<std::size_t>(it->number)], true))
            continue;
        items.push_back(Json { { "label", listForm(it->number) }, { "kind", kValueItem },
            { "detail", rectangleText(*it) }, { "sortText", listForm(it->number) } });
    }
    return items;
}

Json sheetItems(const Context& context)
{
    Json items = Json::array();
    const std::string path = context.document.path().empty() ? "./untitled" : context.document.path();
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(character::definitionFolder(path), error)) {
        const std::string name = entry.path().filename().string();
        const std::string lower = platform::asciiLower(name);
        if ((lower.ends_with(".bmp") || lower.ends_with(".dib")) && entry.is_regular_file(error))
            items.push_back(Json { { "label", character::nameToUtf8(name) }, { "kind", kFileItem } });
    }
    return items;
}

} // namespace

Json completion(const Context& context, const Json& position)
{
    const Position at = positionOf(position);
    const TextPlace place = context.document.document().place(at, context.client.encoding);
    const std::string_view before = context.document.document().line(place.line).substr(0, place.byte);
    if (before.empty()
        || (before.front() == '#' && before.find_first_of(" \t") == std::string_view::npos
            && std::all_of(before.begin() + 1, before.end(),
                [](char c) { return std::isalpha(static_cast<unsigned char>(c)); })))
        return keywordItems();
    const std::string upper = platform::asciiLower(before);
    const auto startsWith = [&](std::string_view keyword) {
        return upper.size() > keyword.size() && upper.starts_with(platform::asciiLower(keyword));
    };
    if (startsWith(character::kSheetKeyword))
        return sheetItems(context);
    if (startsWith(character::kBaseListKeyword) || startsWith(character::kLayerKeyword))
        return patternItems(context.analysis.index);
    return Json::array();
}

Json documentSymbols(const Context& context)
{
    const Index& index = context.analysis.index;
    const Document& text = context.document.document();
    const std::size_t last = text.lineCount() == 0 ? 0 : text.lineCount() - 1;
    const Json whole = toJson(Range { {}, { last, unitsOf(text.line(last), context.client.encoding) } });
    Json patterns = Json::array();
    for (const PatternDefinition& d : index.patterns) {
        const SourceRange line { d.numberAt.line, 1, d.valuesAt.endColumn };
        patterns.push_back(Json { { "name", "パターン " + listForm(d.number) },
            { "detail", rectangleText(d) }, { "kind", kConstantSymbol }, { "range", context.range(line) },
            { "selectionRange", context.range(d.numberAt) } });
    }
    Json animations = Json::array();
    for (const ListLine& l : index.lists) {
        const AnimationFacts facts = animationFacts(l.animation);
        const SourceRange line { l.number.line, 1, std::max(l.list.endColumn, l.placement.endColumn) };
        animations.push_back(Json { { "name", "アニメーション " + std::to_string(l.animation) },
            { "detail",
                (facts.caption.empty() ? std::string() : facts.caption + ", ")
                    + std::to_string(index.frameCount(l.animation)) + " コマ" },
            { "kind", kFunctionSymbol }, { "range", context.range(line) },
            { "selectionRange", context.range(l.number) } });
    }
    const std::string name
        = index.name.empty() ? std::string("(名前なし)") : character::nameToUtf8(index.name);
    Json children = Json::array();
    children.push_back(Json { { "name", "パターン" }, { "kind", kFileSymbol }, { "range", whole },
        { "selectionRange", whole }, { "children", patterns } });
    children.push_back(Json { { "name", "アニメーション" }, { "kind", kFileSymbol }, { "range", whole },
        { "selectionRange", whole }, { "children", animations } });
    return Json::array({ Json { { "name", name }, { "kind", kClassSymbol }, { "range", whole },
        { "selectionRange", whole }, { "children", children } } });
}

Json foldingRanges(const Context& context)
{
    // Runs of pattern lines and runs of list lines fold as blocks.
    Json out = Json::array();
    std::vector<std::size_t> lines;
    for (const PatternDefinition& d : context.analysis.index.patterns)
        lines.push_back(d.numberAt.line);
    const auto fold = [&](std::vector<std::size_t>& run) {
        std::sort(run.begin(), run.end());
        for (std::size_t i = 0; i < run.size();) {
            std::size_t j = i;
            while (j + 1 < run.size() && run[j + 1] <= run[j] + 2)
                ++j;
            if (run[j] > run[i])
                out.push_back(Json { { "startLine", run[i] - 1 }, { "endLine", run[j] - 1 } });
            i = j + 1;
        }
    };
    fold(lines);
    lines.clear();
    for (const ListLine& l : context.analysis.index.lists)
        lines.push_back(l.number.line);
    fold(lines);
    return out;
}

} // namespace lsp
