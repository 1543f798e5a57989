#include "lsp/Describe.h"
#include "lsp/Features.h"
#include "lsp/Server.h"
#include "lsp/SheetPicture.h"
#include "lsp/Target.h"

#include "character/NameText.h"

#include <set>

namespace lsp {

namespace {

const char* kindName(ListKind kind)
{
    switch (kind) {
    case ListKind::base:
        return "基本";
    case ListKind::layer:
        return "レイヤー";
    case ListKind::placement:
        return "配置";
    }
    return "";
}

// The pattern as it stands on the sheet, for clients that show Markdown.
std::string picture(const Context& context, const PatternDefinition& pattern)
{
    if (!context.client.markdown || !context.analysis.index.hasSheet)
        return {};
    const auto sheet = context.sheets.picture(sheetPathOf(context.document, context.analysis.index));
    const std::string uri = sheet ? patternPictureUri(*sheet, pattern) : std::string();
    return uri.empty() ? std::string() : "![パターン " + listForm(pattern.number) + "](" + uri + ")\n\n";
}

std::string patternHover(const Context& context, int pattern)
{
    const Index& index = context.analysis.index;
    std::string text = "**パターン " + listForm(pattern) + "** (十進 " + std::to_string(pattern) + ")\n\n";
    if (const PatternDefinition* d = index.definition(pattern)) {
        text += rectangleText(*d) + "\n\n";
        const std::size_t line = d->numberAt.line;
        text += std::to_string(line) + " 行目: `" + std::string(context.document.document().line(line - 1))
            + "`\n\n";
        text += picture(context, *d);
    } else {
        text += "どのパターン行でも定義されていません\n\n";
    }
    // Each animation once per table, in number order.
    std::set<std::pair<int, ListKind>> uses;
    for (const ListEntry& e : index.entries) {
        if (e.pattern == pattern)
            uses.emplace(e.animation, e.kind);
    }
    if (!uses.empty()) {
        text += "使うアニメーション:";
        for (const auto& [animation, kind] : uses)
            text += " " + std::to_string(animation) + " (" + kindName(kind) + ")";
        text += "\n";
    }
    return text;
}

std::string animationHover(const Index& index, int animation)
{
    const AnimationFacts facts = animationFacts(animation);
    std::string text = "**アニメーション " + std::to_string(animation) + "**\n\n";
    if (facts.button.empty())
        text += "再生するボタンはありません\n\n";
    else
        text += "ボタン " + facts.button + " 「" + facts.caption + "」\n\n";
    text += "種類: " + facts.kind + "\n\n";
    text += std::to_string(index.frameCount(animation)) + " コマ, 間隔 " + std::to_string(index.interval)
        + " ミリ秒\n";
    return text;
}

std::string sheetHover(const Context& context)
{
    const std::string path = sheetPathOf(context.document, context.analysis.index);
    const SheetInfo& info = context.sheets.info(path);
    std::string text = "**シート画像** `" + character::nameToUtf8(path) + "`\n\n";
    if (info.error)
        return text + sheetError(info) + "\n";
    text += std::to_string(info.size.width) + " × " + std::to_string(info.size.height);
    if (info.bitDepth > 0)
        text += ", " + std::to_string(info.bitDepth) + " ビット";
    return text + "\n";
}

} // namespace

Json hover(const Context& context, const Json& position)
{
    const auto [line, column] = context.column(position);
    const Target target = targetAt(context.analysis.index, line, column);
    std::string text;
    switch (target.kind) {
    case Target::Kind::none:
        return nullptr;
    case Target::Kind::patternLine:
    case Target::Kind::listEntry:
        text = patternHover(context, target.pattern);
        break;
    case Target::Kind::animation:
        text = animationHover(context.analysis.index, target.animation);
        break;
    case Target::Kind::sheetName:
    case Target::Kind::sheetKeyword:
        text = sheetHover(context);
        break;
    }
    if (!context.client.markdown) {
        std::erase(text, '*');
        std::erase(text, '`');
    }
    return Json { { "contents",
                      { { "kind", context.client.markdown ? "markdown" : "plaintext" }, { "value", text } } },
        { "range", context.range(target.at) } };
}

} // namespace lsp
