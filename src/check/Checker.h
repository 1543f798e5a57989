#pragma once

// Checks a character definition file: the reader that the load runs reads
// it into a recording sink, every failing line is reported and reading goes
// on, the sheet is opened as a load opens it, and what the tables hold at
// the end is checked against the sheet and the view.

#include "check/CheckSink.h"
#include "check/Diagnostic.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace check {

// Opens sheets through the picture loading of the sheet surface; a sheet
// named twice is opened once per check.
SheetOpener pictureSheetOpener();

// `path` is where the text was read from: sheet names are relative to its
// folder. The report is sorted by line, then column.
Report checkDefinition(
    std::span<const std::uint8_t> text, const std::string& path, const SheetOpener& opener);

struct CheckedFile {
    std::vector<std::uint8_t> text; // empty when the file could not be read
    Report report;
};

// A file that cannot be read is one error of that file.
CheckedFile checkFile(const std::string& path, const SheetOpener& opener);

} // namespace check
