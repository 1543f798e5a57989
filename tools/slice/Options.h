#pragma once

// The command line of nimbrel-slice.

#include "closeup/Slicer.h"

#include "common/ToolMain.h"

#include <string>
#include <vector>

namespace slicetool {

using tool::Format;

struct Options {
    closeup::SliceOptions slice;
    Format format = Format::text;
    bool help = false;
    bool version = false;
    std::string file;
};

inline constexpr std::int32_t kMaxGap = 1024;

// Raises std::invalid_argument with the reason for a usage error.
Options parseOptions(const std::vector<std::string>& arguments);

// "WxH" or "WxH+X+Y", every number a plain decimal; raises as above.
closeup::SliceGrid parseGrid(const std::string& text);

extern const char* const kUsage;

} // namespace slicetool
