#include "Options.h"

#include <stdexcept>

namespace checktool {

const char* const kUsage = R"(usage: nimbrel-check [--format text|json] [--werror] FILE...

Checks character definition files the way the viewer reads them and reports
every problem with its line and column: errors (what would stop or fail a
load) and warnings (what a load passes over without a word).

  --format text   compiler-style lines with the source line and a caret line,
                  then "N errors, M warnings" (the default)
  --format json   one JSON object per line: file, line, column, endColumn,
                  severity, code, message (columns count bytes from 1;
                  endColumn is one past the last byte)
  --werror        exit with 1 when there are warnings, too
  --help          this text
  --version       the version

Exit status: 0 without errors, 1 with errors (or warnings under --werror),
2 for a usage error.
)";

Options parseOptions(const std::vector<std::string>& arguments)
{
    Options options;
    bool onlyFiles = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (onlyFiles || a.size() < 2 || a[0] != '-') {
            options.files.push_back(a);
        } else if (a == "--") {
            onlyFiles = true;
        } else if (a == "--format") {
            if (i + 1 == arguments.size())
                throw std::invalid_argument("--format needs text or json");
            options.format = tool::formatNamed(arguments[++i]);
        } else if (a.starts_with("--format=")) {
            options.format = tool::formatNamed(a.substr(9));
        } else if (a == "--werror") {
            options.werror = true;
        } else if (a == "--help" || a == "-h") {
            options.help = true;
        } else if (a == "--version") {
            options.version = true;
        } else {
            throw std::invalid_argument("unknown option: " + a);
        }
    }
    if (options.files.empty() && !options.help && !options.version)
        throw std::invalid_argument("no definition file given");
    return options;
}

} // namespace checktool
