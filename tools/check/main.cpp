// nimbrel-check: every problem of a character definition file, with its line
// and column, in the form compilers use, or as JSON lines.

#include "JsonReport.h"
#include "Options.h"
#include "check/Checker.h"
#include "check/TextReport.h"
#include "common/ToolMain.h"
#include "platform/ErrorText.h"
#include "platform/Text.h"

#include <exception>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A report can run to many megabytes: it is put together in pieces of
// about this size and written a piece at a time.
constexpr std::size_t kReportPiece = 1 << 16;

void report(const checktool::Options& options, const std::string& path, const check::CheckedFile& file)
{
    const bool json = options.format == checktool::Format::json;
    const check::SourceLines lines(json ? std::span<const std::uint8_t> {} : std::span(file.text));
    std::string piece;
    for (const check::Diagnostic& d : file.report.diagnostics) {
        if (json)
            piece += checktool::jsonLine(path, d);
        else
            check::appendDiagnostic(piece, path, d, lines);
        if (piece.size() >= kReportPiece) {
            std::cout.write(piece.data(), static_cast<std::streamsize>(piece.size()));
            piece.clear();
        }
    }
    std::cout.write(piece.data(), static_cast<std::streamsize>(piece.size()));
}

int run(const checktool::Options& options)
{
    std::size_t errors = 0, warnings = 0;
    // One opener for the whole run: files that name the same sheet (by its
    // path, resolved against each file's folder) read it once.
    const check::SheetOpener opener = check::pictureSheetOpener();
    for (const std::string& path : options.files) {
        const check::CheckedFile file = check::checkFile(path, opener);
        report(options, path, file);
        errors += file.report.count(check::Severity::error);
        warnings += file.report.count(check::Severity::warning);
    }
    if (options.format == checktool::Format::text)
        std::cout << check::summaryLine(errors, warnings);
    return errors > 0 || (options.werror && warnings > 0) ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Nothing here writes through C's stdio, so the report need not pass
    // through its buffer a piece at a time.
    std::ios_base::sync_with_stdio(false);
    return tool::runTool("nimbrel-check", checktool::kUsage, argc, argv, checktool::parseOptions, run);
}
