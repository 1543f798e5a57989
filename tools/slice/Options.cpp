#include "Options.h"

#include <charconv>
#include <limits>
#include <stdexcept>

namespace slicetool {

const char* const kUsage
    = R"(usage: nimbrel-slice [--gap N] [--min-area N] [--grid WxH[+X+Y]] [--format text|json] FILE

Finds the sprites of a sheet that no pattern line cuts yet and prints a
pattern line for each, in reading order, numbered with the lowest numbers
that the file leaves free. FILE is a character definition file (its sheet,
its patterns and its numbering are used) or a sheet image, .bmp or .dib
(its bottom-right pixel is the transparent colour, nothing is defined yet
and the numbering is decimal).

  --gap N          sprites whose rectangles come within N pixels of each
                   other are one (0 to 1024; default 0)
  --min-area N     leave out sprites of fewer than N pixels (default 1)
  --grid WxH[+X+Y] cut whole cells of W x H pixels, the first at X,Y,
                   instead of sprites; cells without a drawn pixel, and
                   cells whose pixels a pattern already holds, are left out
  --format text    one pattern line per sprite, "#NN left top width
                   height" (the default)
  --format json    one JSON object per line: number, line, left, top,
                   width, height, pixels
  --help           this text
  --version        the version

The last line on stderr counts the sprites found, those already defined
and those left without a number once the numbering ran out.
Exit status: 0, 1 when the file or its sheet cannot be read, 2 for a usage
error.
)";

namespace {

std::int64_t number(const std::string& text, std::int64_t low, std::int64_t high, const std::string& what)
{
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc {} || last != end || value < low || value > high)
        throw std::invalid_argument(what + " needs a number from " + std::to_string(low) + " to "
            + std::to_string(high) + ": " + text);
    return value;
}

// An option's value, from "--name=value" or from the next argument.
std::string valueOf(const std::vector<std::string>& arguments, std::size_t& i, const std::string& name)
{
    const std::string& a = arguments[i];
    if (a.size() > name.size() && a[name.size()] == '=')
        return a.substr(name.size() + 1);
    if (i + 1 == arguments.size())
        throw std::invalid_argument(name + " needs a value");
    return arguments[++i];
}

bool isOption(const std::string& a, const std::string& name)
{
    return a == name || (a.starts_with(name) && a.size() > name.size() && a[name.size()] == '=');
}

} // namespace

closeup::SliceGrid parseGrid(const std::string& text)
{
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    const std::size_t by = text.find('x');
    const std::size_t plus = text.find('+');
    const std::size_t plus2 = plus == std::string::npos ? plus : text.find('+', plus + 1);
    if (by == std::string::npos || (plus != std::string::npos && (plus < by || plus2 == std::string::npos)))
        throw std::invalid_argument("--grid needs WxH or WxH+X+Y: " + text);
    closeup::SliceGrid grid;
    grid.width = std::int32_t(number(text.substr(0, by), 1, kMax, "--grid"));
    grid.height = std::int32_t(number(text.substr(by + 1, plus - by - 1), 1, kMax, "--grid"));
    if (plus != std::string::npos) {
        grid.x = std::int32_t(number(text.substr(plus + 1, plus2 - plus - 1), 0, kMax, "--grid"));
        grid.y = std::int32_t(number(text.substr(plus2 + 1), 0, kMax, "--grid"));
    }
    return grid;
}

Options parseOptions(const std::vector<std::string>& arguments)
{
    Options options;
    bool onlyFiles = false;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (onlyFiles || a.size() < 2 || a[0] != '-')
            files.push_back(a);
        else if (a == "--")
            onlyFiles = true;
        else if (isOption(a, "--gap"))
            options.slice.gap = std::int32_t(number(valueOf(arguments, i, "--gap"), 0, kMaxGap, "--gap"));
        else if (isOption(a, "--min-area"))
            options.slice.minArea = number(valueOf(arguments, i, "--min-area"), 1,
                std::numeric_limits<std::int64_t>::max(), "--min-area");
        else if (isOption(a, "--grid"))
            options.slice.grid = parseGrid(valueOf(arguments, i, "--grid"));
        else if (isOption(a, "--format"))
            options.format = tool::formatNamed(valueOf(arguments, i, "--format"));
        else if (a == "--help" || a == "-h")
            options.help = true;
        else if (a == "--version")
            options.version = true;
        else
            throw std::invalid_argument("unknown option: " + a);
    }
    if (options.help || options.version)
        return options;
    if (files.size() != 1)
        throw std::invalid_argument(files.empty() ? "no file given" : "one file at a time");
    options.file = files.front();
    return options;
}

} // namespace slicetool
