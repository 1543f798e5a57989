#include "app/FrameLog.h"

#include "platform/Clock.h"

#include <cstdlib>

namespace app {

FrameLog::FrameLog()
{
    const char* path = std::getenv("NIMBREL_FRAME_LOG");
    if (path && *path)
        m_file.reset(std::fopen(path, "a"));
    m_start = platform::timeGetTime();
}

void FrameLog::frameShown(std::int32_t animation, std::int32_t frameIndex)
{
    if (!m_file)
        return;
    const std::uint32_t ms = platform::timeGetTime() - m_start;
    std::fprintf(m_file.get(), "%u %d %d\n", ms, animation, frameIndex);
    std::fflush(m_file.get());
}

} // namespace app
