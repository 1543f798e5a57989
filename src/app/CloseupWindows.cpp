#include "app/CloseupWindows.h"

#include "app/SheetViewer.h"
#include "app/ZoomWindow.h"
#include "closeup/FrameReadout.h"
#include "display/DXDraws.h"
#include "playback/FormLogic.h"

namespace app {

CloseupWindows::CloseupWindows(QWidget& owner, playback::FormLogic& logic, TCustomDXDraw& display)
    : m_owner(owner)
    , m_logic(logic)
    , m_display(display)
{
}

void CloseupWindows::showZoom()
{
    if (m_zoom == nullptr) {
        m_zoom = new ZoomWindow(&m_owner);
        // A frame of the strip is shown through the player's own pause and
        // step, so the view, the readout, the other windows and the pause
        // item's mark follow it.
        m_zoom->onFrameClicked = [this](std::int32_t frame) { m_logic.stepToFrame(frame); };
        m_zoom->onRefresh = [this] { feedZoom(true); };
    }
    m_zoom->show();
    m_zoom->raise();
    m_zoom->activateWindow();
    feedZoom(true);
}

void CloseupWindows::showSheet()
{
    if (m_sheet == nullptr)
        m_sheet = new SheetViewer(m_logic.state(), &m_owner);
    m_sheet->show();
    m_sheet->raise();
    m_sheet->activateWindow();
    feedSheet();
}

void CloseupWindows::frameShown()
{
    if (m_zoom != nullptr && m_zoom->isVisible())
        feedZoom(false);
    if (m_sheet != nullptr && m_sheet->isVisible())
        feedSheet();
}

void CloseupWindows::feedZoom(bool refresh)
{
    const character::CharacterState& state = m_logic.state();
    const std::string readout = state.playbackFlag ? closeup::readoutText(closeup::frameReadout(
                                    state, state.currentAnimation, m_logic.player().frameIndex()))
                                                   : std::string();
    m_zoom->frameShown(closeup::Presented { &state, m_logic.player().frameIndex(), m_logic.sheetSurface(),
                           m_display.Surface(), refresh },
        readout);
}

void CloseupWindows::feedSheet()
{
    const character::CharacterState& state = m_logic.state();
    m_sheet->frameShown(state.currentAnimation, m_logic.player().frameIndex(), m_logic.sheetSurface());
}

} // namespace app
