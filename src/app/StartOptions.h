#pragma once

// The viewer's command line: `nimbrel [FILE]`, and the two options that
// answer on standard output without a window. It is read before the
// framework starts, so that --help and --version need no display.

#include <optional>
#include <span>
#include <string>

namespace app {

enum class StartAction { open, help, version, usageError };

struct StartOptions {
    StartAction action = StartAction::open;
    // The definition file to open as if dropped: the first argument that is
    // not an option (everything after "--" is none).
    std::optional<std::string> file;
    // The option that is not known, for a usage error.
    std::string unknown;
};

// The arguments without the program name.
StartOptions readStartOptions(std::span<const char* const> arguments);

// What --help prints.
std::string startHelpText();

// What a usage error prints on standard error.
std::string startUsageError(const StartOptions& options);

} // namespace app
