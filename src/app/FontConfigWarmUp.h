#pragma once

// Reading the font configuration (some sixty files and the font caches) takes
// about 8 ms, and the window's first caption waits for it. It is read on a
// thread of its own while the framework starts, which does not need it.

#include <thread>

namespace app {

class FontConfigWarmUp {
public:
    FontConfigWarmUp();
    // Waits for the reading to end, so that the framework never reads the
    // configuration at the same time.
    ~FontConfigWarmUp() { finish(); }
    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

    void finish();

private:
    std::thread m_thread;
};

} // namespace app
