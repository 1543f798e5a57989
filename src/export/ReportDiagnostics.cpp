#include "export/ReportParts.h"

#include "character/Paths.h"
#include "check/Checker.h"
#include "export/Html.h"

namespace exporter::report {

namespace {

std::string placeText(const character::SourceRange& at)
{
    if (at.line == 0)
        return "ファイル全体";
    std::string text = std::to_string(at.line) + " 行";
    if (at.column > 0)
        text += " " + std::to_string(at.column) + " 桁";
    return text;
}

// A shared page does not tell where the files lie on this machine: the
// folder of the definition is left out of the messages that name a file.
std::string withoutFolder(std::string message, const std::string& folder)
{
    if (folder.empty())
        return message;
    for (std::size_t at = message.find(folder); at != std::string::npos; at = message.find(folder, at))
        message.erase(at, folder.size());
    return message;
}

} // namespace

void appendDiagnostics(std::string& page, const ReportInput& input, std::size_t listedLines)
{
    page += "<section id=\"diagnostics\"><h2>チェック結果</h2>\n";
    if (input.state->definitionText == nullptr) {
        page += "<p>定義ファイルを読めません。</p></section>\n";
        return;
    }
    const check::Report report = check::checkDefinition(
        *input.state->definitionText, input.definitionPath, check::pictureSheetOpener());
    if (report.diagnostics.empty()) {
        page += "<p>問題は見つかりませんでした。</p></section>\n";
        return;
    }
    page += "<p>エラー " + std::to_string(report.count(check::Severity::error)) + " 件、警告 "
        + std::to_string(report.count(check::Severity::warning)) + " 件</p>\n<ul class=\"diagnostics\">\n";
    for (const check::Diagnostic& d : report.diagnostics) {
        const bool error = d.severity == check::Severity::error;
        page += std::string("<li class=\"") + (error ? "error" : "warning") + "\">";
        // A line links to its place in the listing below.
        if (d.at.line > 0 && d.at.line <= listedLines)
            page += "<a href=\"#L" + std::to_string(d.at.line) + "\">" + placeText(d.at) + "</a>";
        else
            page += placeText(d.at);
        page += std::string("：<b>") + (error ? "エラー" : "警告") + "</b> "
            + escapeHtml(withoutFolder(d.message, character::definitionFolder(input.definitionPath)))
            + " <code>[" + escapeHtml(d.code) + "]</code></li>\n";
    }
    page += "</ul></section>\n";
}

} // namespace exporter::report
