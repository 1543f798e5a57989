#include "check/TextReport.h"

#include "character/Lines.h"
#include "check/ShownLine.h"
#include "platform/Text.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace check {

namespace {

// The width of the line-number gutter, as compilers draw it.
constexpr std::size_t kGutterDigits = 5;

void appendGutter(std::string& out, std::string_view number, std::size_t width)
{
    out.append(width - std::min(width, number.size()), ' ');
    out += number;
    out += " | ";
}

void appendNumber(std::string& out, std::size_t n)
{
    char digits[24];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), n).ptr;
    out.append(digits, end);
}

} // namespace

SourceLines::SourceLines(std::span<const std::uint8_t> text)
{
    // One line per line feed, give or take one: the index of a large file is
    // then allocated once instead of copied at every doubling.
    m_lines.reserve(
        static_cast<std::size_t>(std::count(text.begin(), text.end(), std::uint8_t { '\n' })) + 1);
    character::LineReader reader(text);
    std::string_view line;
    while (reader.next(line))
        m_lines.push_back(line);
}

std::string_view SourceLines::line(std::size_t line) const
{
    return has(line) ? m_lines[line - 1] : std::string_view {};
}

const ShownLine& SourceLines::shown(std::size_t line) const
{
    if (m_shownNumber != line || line == 0) {
        m_shown = showLine(this->line(line));
        m_shownNumber = line;
    }
    return m_shown;
}

std::string_view severityName(Severity severity)
{
    return severity == Severity::error ? "error" : "warning";
}

std::string formatDiagnostic(std::string_view path, const Diagnostic& d, const SourceLines& lines)
{
    std::string out;
    appendDiagnostic(out, path, d, lines);
    return out;
}

void appendDiagnostic(std::string& out, std::string_view path, const Diagnostic& d, const SourceLines& lines)
{
    const std::size_t line = std::max<std::size_t>(d.at.line, 1);
    const std::size_t column = std::max<std::size_t>(d.at.column, 1);
    // For a terminal: a name quoted from the file may hold escape sequences.
    platform::appendVisibleControls(out, path);
    out += ':';
    appendNumber(out, line);
    out += ':';
    appendNumber(out, column);
    out += ": ";
    out += severityName(d.severity);
    out += ": ";
    platform::appendVisibleControls(out, d.message);
    out += " [";
    platform::appendVisibleControls(out, d.code);
    out += "]\n";
    if (d.at.line == 0 || !lines.has(d.at.line))
        return;
    const ShownLine& shown = lines.shown(d.at.line);
    const std::string number = std::to_string(d.at.line);
    const std::size_t width = std::max(kGutterDigits, number.size());
    appendGutter(out, number, width);
    out += shown.text;
    out += '\n';
    appendGutter(out, "", width);
    appendCaretLine(out, shown, column, d.at.endColumn);
    out += '\n';
}

std::string summaryLine(std::size_t errors, std::size_t warnings)
{
    return std::to_string(errors) + " errors, " + std::to_string(warnings) + " warnings\n";
}

} // namespace check
