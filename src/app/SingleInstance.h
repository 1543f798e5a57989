#pragma once

// One viewer per session: a start with a file (or --play, --pattern) hands
// its request to the viewer that owns the bus name and ends, unless
// --new-window asks for a window of its own. Without a session bus, or with
// no viewer running, the start goes on to its own window without a word.

#include <optional>

namespace app {

struct StartOptions;

// The exit status once a running viewer has taken the request (0), or has
// refused it or failed at it (1, the reason on standard error); nothing when
// this start is to open its own window.
std::optional<int> handToRunningViewer(const StartOptions& options);

} // namespace app
