#pragma once

// With NIMBREL_FRAME_LOG=FILE set, the window appends one line per shown
// frame: "<milliseconds since start> <animation> <frame index>". It lets us
// measure frame timing on a real display without touching the player.

#include <cstdint>
#include <cstdio>
#include <memory>

namespace app {

class FrameLog {
public:
    // Opens the file named by the environment, if any.
    FrameLog();
    bool enabled() const { return m_file != nullptr; }
    void frameShown(std::int32_t animation, std::int32_t frameIndex);

private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> m_file;
    std::uint32_t m_start = 0;
};

} // namespace app
