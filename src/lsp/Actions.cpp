#include "lsp/Describe.h"
#include "lsp/Features.h"
#include "lsp/PlayCommand.h"
#include "lsp/Server.h"
#include "lsp/SheetPicture.h"

#include "check/CheckMessages.h"
#include "check/LineHints.h"

namespace lsp {

namespace {

constexpr const char* kAddPatternLines = "パターン行を追加";

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

// Where new pattern lines go: after the last pattern line, or after the
// sheet line when there is none yet, or at the end.
Json addPatternLines(const Context& context)
{
    const Index& index = context.analysis.index;
    if (!index.hasSheet)
        return nullptr;
    if (!context.analysis.missingLines) {
        const auto sheet = context.sheets.picture(sheetPathOf(context.document, index));
        context.analysis.missingLines
            = sheet ? missingPatternLines(*sheet, index) : std::vector<std::string> {};
    }
    const std::vector<std::string>& lines = *context.analysis.missingLines;
    if (lines.empty())
        return nullptr;
    const Document& document = context.document.document();
    const std::size_t after = index.lastPatternLine != 0 ? index.lastPatternLine : index.sheetAt.line;
    const std::size_t line = std::min(after, document.lineCount()) - 1;
    std::string lineBreak(document.lineBreak(0));
    if (lineBreak.empty())
        lineBreak = "\n";
    std::string text;
    for (const std::string& l : lines)
        text += lineBreak + l;
    const Position end = document.position({ line, document.line(line).size() }, context.client.encoding);
    const Json edit { { "range", toJson(Range { end, end }) }, { "newText", text } };
    return Json { { "title", kAddPatternLines }, { "kind", "source" },
        { "edit", { { "changes", { { context.document.uri(), Json::array({ edit }) } } } } } };
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
        } else if (d.code == check::kCodePatternThreeDigits) {
            // The line is read as a two-digit number and a value glued to
            // it; a blank between them says so, and a number above 99 needs
            // hexadecimal numbering, which would change every line below.
            const SourceRange place { d.at.line, character::kPatternValueColumn,
                character::kPatternValueColumn };
            out.push_back(quickFix(context, d, "番号と値の間に空白を入れる",
                context.document.range(place, context.client.encoding), " "));
        }
    }
    Json add = addPatternLines(context);
    if (!add.is_null())
        out.push_back(std::move(add));
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
