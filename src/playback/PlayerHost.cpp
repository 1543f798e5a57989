#include "playback/PlayerHost.h"

#include "display/DXDraws.h"

namespace playback {

bool DXDrawPlayerHost::CanDraw()
{
    return m_display.CanDraw();
}

TDirectDrawSurface* DXDrawPlayerHost::Surface()
{
    return m_display.Surface();
}

void DXDrawPlayerHost::Flip()
{
    m_display.Flip();
}

} // namespace playback
