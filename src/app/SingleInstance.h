#pragma once

// One viewer per session: a start with a file (or --play, --pattern) hands
// its request to the viewer that owns the bus name and ends, unless
// --new-window asks for a window of its own. Without a session bus, or with
// no viewer running, the start goes on to its own window without a word.

#include <future>
#include <optional>
#include <string>

namespace app {

struct StartOptions;

class RunningViewer {
public:
    // Asks the bus at once, on a thread of its own, whether a viewer runs,
    // so that the window is built meanwhile: finding the bus may mean
    // starting one, which takes longer than building the window.
    explicit RunningViewer(const StartOptions& options);

    // The exit status once a running viewer has taken the request (0), or
    // has refused it or failed at it (1, the reason on standard error);
    // nothing when this start is to open its own window.
    std::optional<int> handOver();

private:
    const StartOptions& m_options;
    std::string m_path;
    // Not valid when this start opens its own window whatever runs.
    std::future<bool> m_running;
};

} // namespace app
