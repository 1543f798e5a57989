#pragma once

// The report as compilers write theirs, so that editors and CI problem
// matchers read it: "FILE:LINE:COLUMN: error: MESSAGE [code]", then the
// source line and a caret line under the columns concerned.

#include "check/Diagnostic.h"
#include "check/ShownLine.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace check {

// The lines of a text as the reader splits them.
class SourceLines {
public:
    explicit SourceLines(std::span<const std::uint8_t> text);
    // Empty past the last line; `line` counts from 1.
    std::string_view line(std::size_t line) const;
    bool has(std::size_t line) const { return line >= 1 && line <= m_lines.size(); }
    // The line as a report shows it. Diagnostics come in line order and a
    // line often has several, so the last one shown is kept.
    const ShownLine& shown(std::size_t line) const;

private:
    std::vector<std::string_view> m_lines;
    mutable std::size_t m_shownNumber = 0;
    mutable ShownLine m_shown;
};

std::string_view severityName(Severity severity);

// One diagnostic: its heading line, and when it belongs to a line of the
// file, that line and the caret line, each ending in a line break. A
// diagnostic of the whole file is placed at line 1, column 1.
std::string formatDiagnostic(std::string_view path, const Diagnostic& diagnostic, const SourceLines& lines);
// The same, added to the end of `out`.
void appendDiagnostic(
    std::string& out, std::string_view path, const Diagnostic& diagnostic, const SourceLines& lines);

std::string summaryLine(std::size_t errors, std::size_t warnings);

} // namespace check
