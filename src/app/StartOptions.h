#pragma once

// The viewer's command line: `nimbrel [OPTIONS] [FILE]`, read before the
// framework starts, so that --help, --version and usage errors need no
// display. Qt-free.

#include <cstdint>
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
    // --new-window: a viewer of its own even while another one runs.
    bool newWindow = false;
    // --play N: the animation to play once the file is open.
    std::optional<std::int32_t> play;
    // --pattern TEXT: the pattern string to play once the file is open.
    std::optional<std::string> pattern;
    // The option that is not known, for a usage error.
    std::string unknown;
    // Why a known option is used wrongly, for a usage error.
    std::string problem;
};

// The arguments without the program name.
StartOptions readStartOptions(std::span<const char* const> arguments);

// What --help prints.
std::string startHelpText();

// What a usage error prints on standard error.
std::string startUsageError(const StartOptions& options);

} // namespace app
