// Feeds arbitrary bytes to the checker and writes its whole text report, so
// that every place it reports is also shown under its source line. A place
// outside the file's lines, or a range that ends before it starts, is a
// crash here.

#include "check/Checker.h"
#include "check/TextReport.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Sheets "exist" by the first letter of their name, so both the measured
// and the failing path are taken.
check::SheetSize fuzzSheet(const std::string& path)
{
    if (!path.empty() && path.back() == 'p')
        return check::SheetSize { 300, 200 };
    throw EFOpenError(platform::format(platform::kSFOpenError, { path }));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> text(data, size);
    const check::Report report = check::checkDefinition(text, "fuzz/char.txt", fuzzSheet);
    const check::SourceLines lines(text);
    volatile std::size_t bytes = 0;
    for (const check::Diagnostic& d : report.diagnostics) {
        if (d.at.line != 0 && (!lines.has(d.at.line) || d.at.column == 0 || d.at.endColumn < d.at.column))
            std::abort();
        if (d.at.line != 0 && d.at.endColumn > lines.line(d.at.line).size() + 1)
            std::abort();
        bytes = bytes + check::formatDiagnostic("fuzz/char.txt", d, lines).size();
    }
    return 0;
}
