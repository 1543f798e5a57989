// nimbrel-slice: the pattern lines that a character's sheet still lacks, one
// per sprite, ready to paste into its definition file.

#include "LoadedSheet.h"
#include "Options.h"
#include "closeup/Slicer.h"
#include "common/ToolMain.h"
#include "platform/ErrorText.h"

#include <nlohmann/json.hpp>

#include <exception>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

void print(const slicetool::Options& options, const closeup::SliceResult& result)
{
    for (const closeup::MissingPattern& pattern : result.missing) {
        // Without a number there is no line to paste; the summary counts them.
        if (pattern.number == 0)
            continue;
        if (options.format == slicetool::Format::text) {
            std::cout << pattern.line << '\n';
            continue;
        }
        nlohmann::ordered_json json;
        json["number"] = pattern.number;
        json["line"] = pattern.line;
        json["left"] = pattern.rect.Left;
        json["top"] = pattern.rect.Top;
        json["width"] = pattern.rect.width();
        json["height"] = pattern.rect.height();
        json["pixels"] = pattern.pixels;
        std::cout << json.dump() << '\n';
    }
}

std::string summary(const slicetool::Options& options, const closeup::SliceResult& result)
{
    const std::string what = options.slice.grid ? " cells found, " : " islands found, ";
    return std::to_string(result.found) + what + std::to_string(result.alreadyDefined) + " already defined, "
        + std::to_string(result.missing.size() - result.unnumbered) + " missing, "
        + std::to_string(result.unnumbered) + " without a number";
}

int run(const slicetool::Options& options)
{
    const slicetool::LoadedSheet loaded = slicetool::loadSheet(options.file);
    const closeup::SliceResult result
        = closeup::findMissingPatterns(closeup::sheetPixels(loaded.sheet), loaded.state, options.slice);
    print(options, result);
    std::cout << std::flush;
    std::cerr << "nimbrel-slice: " << summary(options, result) << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    return tool::runTool("nimbrel-slice", slicetool::kUsage, argc, argv, slicetool::parseOptions, run);
}
