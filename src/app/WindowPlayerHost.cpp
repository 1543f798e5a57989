#include "app/WindowPlayerHost.h"

#include "app/MainLoop.h"
#include "platform/Clock.h"

namespace app {

std::uint32_t WindowPlayerHost::now()
{
    return platform::timeGetTime();
}

void WindowPlayerHost::waitUntil(std::uint32_t deadline)
{
    MainLoop::waitForMessagesUntil(deadline);
}

bool WindowPlayerHost::terminating()
{
    return Application != nullptr && Application->terminated();
}

void WindowPlayerHost::Flip()
{
    playback::DXDrawPlayerHost::Flip();
    if (onFrameShown)
        onFrameShown();
}

} // namespace app
