#include "lsp/Describe.h"
#include "lsp/Features.h"
#include "lsp/PlayCommand.h"
#include "lsp/Server.h"

#include "check/CheckMessages.h"
#include "check/LineHints.h"

namespace lsp {

namespace {

bool isLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

Json diagnosticJson(const Context& context, const check::Diagnostic& d)
{
    return Json { { "range", context.range(d.at) },
        { "severity", d.severity == check::Severity::error ? 1 : 2 }, { "code", d.code },
        { "source", "nimbrel" }, { "message", d.message } };
}

Json quickFix(const Context& context, const check::Diagnostic& d, const std::string& title,
    const Range& range, const std::string& text)
{
    Json edit { { "range", toJson(range) }, { "newText", text } };
    return Json { { "title", title }, { "kind", "quickfix" },
        { "diagnostics", Json::array({ diagnosticJson(context, d) }) }, { "isPreferred", true },
        { "edit", { { "changes", { { context.document.uri(), Json::array({ edit }) } } } } } };
}

// The fix of an ignored line: a misspelt keyword, or a line that does not
// start in column 1.
std::optional<Json> lineFix(const Context& context, const check::Diagnostic& d)
{
    const std::size_t line = d.at.line - 1;
    const std::string_view text = context.document.document().line(line);
    const PositionEncoding encoding = context.client.encoding;
    const Document& document = context.document.document();
    std::size_t blanks = 0;
    while (blanks < text.size() && (text[blanks] == ' ' || text[blanks] == '\t'))
        ++blanks;
    if (blanks > 0 && blanks + 1 < text.size() && text[blanks] == '#')
        return quickFix(context, d, "行頭の空白を消す",
            Range { document.position({ line, 0 }, encoding), document.position({ line, blanks }, encoding) },
            "");
    if (text.empty() || text.front() != '#')
        return std::nullopt;
    std::size_t letters = 1;
    while (letters < text.size() && isLetter(text[letters]))
        ++letters;
    const std::optional<std::string_view> keyword = check::nearestKeyword(text.substr(0, letters));
    if (letters == 1 || !keyword)
        return std::nullopt;
    return quickFix(context, d,
        std::string(text.substr(0, letters)) + " を " + std::string(*keyword) + " に直す",
        Range { document.position({ line, 0 }, encoding), document.position({ line, letters }, encoding) },
        std::string(*keyword));
}

bool overlaps(const check::Diagnostic& d, const Range& range)
{
    if (d.at.line == 0)
        return false;
    const std::size_t line = d.at.line - 1;
    return line >= range.start.line && line <= range.end.line;
}

} // namespace

Json codeActions(const Context& context, const Json& params)
{
    const Range asked { positionOf(params.at("range").at("start")),
        positionOf(params.at("range").at("end")) };
    Json out = Json::array();
    for (const check::Diagnostic& d : context.analysis.report.diagnostics) {
        if (!overlaps(d, asked))
            continue;
        if (d.code == check::kCodeUnknownLine) {
            if (std::optional<Json> fix = lineFix(context, d))
                out.push_back(std::move(*fix));
        } else if (d.code == check::kCodeListOdd) {
            out.push_back(quickFix(context, d, "余った最後の文字を消す",
                context.document.range(d.at, context.client.encoding), ""));
        }
    }
    return out;
}

Json codeLenses(const Context& context)
{
    Json out = Json::array();
    const std::string& path = context.document.path();
    if (path.empty())
        return out;
    // One lens per line, in line order: list lines and pattern lines merged.
    const Index& index = context.analysis.index;
    auto list = index.lists.begin();
    auto pattern = index.patterns.begin();
    while (list != index.lists.end() || pattern != index.patterns.end()) {
        const bool takeList = pattern == index.patterns.end()
            || (list != index.lists.end() && list->number.line < pattern->numberAt.line);
        if (takeList) {
            out.push_back(Json { { "range", context.range(list->keyword) },
                { "command", playCommand("--play", std::to_string(list->animation), path) } });
            ++list;
        } else {
            out.push_back(Json { { "range", context.range(pattern->numberAt) },
                { "command", playCommand("--pattern", listForm(pattern->number), path) } });
            ++pattern;
        }
    }
    return out;
}

} // namespace lsp
