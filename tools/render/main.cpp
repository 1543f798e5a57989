// nimbrel-render: drives the viewer's own load procedure, player and frame
// composition without a window, for character authors and end-to-end tests.

#include "render/Arguments.h"
#include "render/RenderDriver.h"

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kExitErrorReported = 1;
constexpr int kExitUsage = 2;

int run(const render::CommandLine& line)
{
    std::vector<std::string> outputs;
    for (const render::Action& action : line.actions) {
        if (action.kind == render::ActionKind::out)
            outputs.push_back(action.text);
    }
    bool failed = false;
    {
        render::RenderDriver driver(std::cout, std::cerr, !outputs.empty());
        for (const render::Action& action : line.actions)
            driver.perform(action);
        driver.close();
        failed = driver.errorReported();
        if (!driver.strip().empty()) {
            for (const std::string& path : outputs) {
                if (!driver.strip().writePng(path)) {
                    std::cerr << "nimbrel-render: cannot write " << path << '\n';
                    failed = true;
                }
            }
        }
    }
    return failed ? kExitErrorReported : 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    const render::CommandLine line = render::parseCommandLine(arguments);
    if (line.help) {
        std::cout << render::usageText();
        return 0;
    }
    if (line.version) {
        std::cout << "nimbrel-render " NIMBREL_VERSION "\n";
        return 0;
    }
    if (line.error) {
        std::cerr << "nimbrel-render: " << *line.error << "\n\n" << render::usageText();
        return kExitUsage;
    }
    return run(line);
}
