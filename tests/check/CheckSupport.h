#pragma once

// Checks a definition text made in the test against a sheet that exists only
// in the test: any name ending in "sheet.bmp" is a 200 × 300 image, anything
// else cannot be opened.

#include "check/Checker.h"
#include "platform/Exception.h"

#include <string>
#include <string_view>

namespace checktest {

inline check::SheetSize testSheet(const std::string& path)
{
    if (path.ends_with("sheet.bmp"))
        return check::SheetSize { 200, 300 };
    throw EFOpenError(platform::format(platform::kSFOpenError, { path }));
}

inline check::Report check(std::string_view text)
{
    return check::checkDefinition(
        { reinterpret_cast<const std::uint8_t*>(text.data()), text.size() }, "dir/char.txt", testSheet);
}

} // namespace checktest
