#include "check/ProblemList.h"

#include "check/ShownLine.h"
#include "check/TextReport.h"
#include "platform/Exception.h"

#include <algorithm>

namespace check {

std::vector<ProblemRow> problemRows(const CheckedFile& file)
{
    const SourceLines lines(file.text);
    std::vector<ProblemRow> rows;
    rows.reserve(file.report.diagnostics.size());
    for (const Diagnostic& d : file.report.diagnostics) {
        ProblemRow row;
        row.line = std::to_string(std::max<std::size_t>(d.at.line, 1));
        row.column = std::to_string(std::max<std::size_t>(d.at.column, 1));
        row.error = d.severity == Severity::error;
        row.severity = row.error ? "エラー" : "警告";
        row.message = d.message;
        row.code = std::string(d.code);
        if (d.at.line != 0)
            row.source = showLine(lines.line(d.at.line)).text;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string problemSummary(const std::string& path, const Report& report)
{
    return platform::format(kSProblemSummary,
        { path, std::to_string(report.count(Severity::error)),
            std::to_string(report.count(Severity::warning)) });
}

} // namespace check
