// nimbrel-render: drives the viewer's own load procedure, player and frame
// composition without a window, for character authors and end-to-end tests.

#include "platform/ErrorText.h"
#include "platform/Text.h"
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
    const bool keepFrames
        = std::any_of(line.actions.begin(), line.actions.end(), [](const render::Action& a) {
              return a.kind == render::ActionKind::out || a.kind == render::ActionKind::gif;
          });
    render::RenderDriver driver(std::cout, std::cerr, keepFrames);
    for (const render::Action& action : line.actions)
        driver.perform(action);
    driver.writeOutputs(line.actions, line.scale);
    driver.close();
    return driver.errorReported() ? kExitErrorReported : 0;
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
        std::cerr << "nimbrel-render: " << platform::withVisibleControls(*line.error) << "\n\n"
                  << render::usageText();
        return kExitUsage;
    }
    // The last catch: whatever escapes the driver's own error report (an
    // allocation that fails, say) is still an error line and status 1, never
    // an abort.
    try {
        return run(line);
    } catch (const std::exception& e) {
        std::cerr << platform::errorReportText(platform::errorMessage(e)) << "\n";
    } catch (...) {
        std::cerr << platform::errorReportText(platform::kSUnexpectedError) << "\n";
    }
    return kExitErrorReported;
}
