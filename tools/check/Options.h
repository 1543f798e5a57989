#pragma once

// The command line of nimbrel-check.

#include "common/ToolMain.h"

#include <string>
#include <vector>

namespace checktool {

using tool::Format;

struct Options {
    Format format = Format::text;
    bool werror = false;
    bool help = false;
    bool version = false;
    std::vector<std::string> files;
};

// Raises std::invalid_argument with the reason for a usage error.
Options parseOptions(const std::vector<std::string>& arguments);

extern const char* const kUsage;

} // namespace checktool
