#pragma once

// The application's main loop on Qt's event loop: a pass dispatches what is
// pending; then the idle event runs with the done flag set; the loop sleeps
// until the next event only while the idle event left the flag true.

#include <cstdint>
#include <functional>
#include <vector>

namespace app {

class MainLoop {
public:
    using IdleHandler = std::function<void(bool& done)>;

    MainLoop() = default;
    void setIdleHandler(IdleHandler handler) { m_idle = std::move(handler); }
    // Runs `work` once, after the first pass's idle event: for what the
    // first frame need not wait for. Work runs in the order it was given.
    void afterFirstPass(std::function<void()> work) { m_afterFirstPass.push_back(std::move(work)); }
    // Runs until terminate() is called (the main window's close); returns
    // the exit code.
    int run();
    void terminate() { m_terminated = true; }
    bool terminated() const { return m_terminated; }

    // Dispatches every pending event without waiting and without the idle
    // event.
    static void processMessages();
    // Blocks until the clock reaches `deadline` (platform milliseconds) or an
    // event arrives, dispatching what arrives; never spins.
    static void waitForMessagesUntil(std::uint32_t deadline);

private:
    IdleHandler m_idle;
    std::vector<std::function<void()>> m_afterFirstPass;
    bool m_terminated = false;
};

// The application's one main loop while it runs; none in tests.
extern MainLoop* Application;

} // namespace app
