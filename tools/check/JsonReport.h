#pragma once

// The machine-readable report: one JSON object per diagnostic and line.

#include "check/Diagnostic.h"

#include <string>
#include <string_view>

namespace checktool {

// The same place and texts as the text report: a diagnostic of the whole
// file stands at line 1, column 1.
std::string jsonLine(std::string_view path, const check::Diagnostic& diagnostic);

} // namespace checktool
