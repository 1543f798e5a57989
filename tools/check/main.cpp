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

void report(const checktool::Options& options, const std::string& path, const check::CheckedFile& file)
{
    const check::SourceLines lines(file.text);
    for (const check::Diagnostic& d : file.report.diagnostics) {
        if (options.format == checktool::Format::json)
            std::cout << checktool::jsonLine(path, d);
        else
            std::cout << check::formatDiagnostic(path, d, lines);
    }
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
