#include "app/CloseupWindows.h"

#include "app/SheetViewer.h"
#include "app/ZoomWindow.h"
#include "closeup/FrameReadout.h"
#include "display/DXDraws.h"
#include "playback/FormLogic.h"

namespace app {

CloseupWindows::CloseupWindows(QWidget& owner, const playback::FormLogic& logic, TCustomDXDraw& display)
    : m_owner(owner)
    , m_logic(logic)
    , m_display(display)
{
}

void CloseupWindows::showZoom()
{
    if (m_zoom == nullptr)
        m_zoom = new ZoomWindow(&m_owner);
    m_zoom->show();
    m_zoom->raise();
    m_zoom->activateWindow();
    // The view's pixels come with the next frame; the readout is known now.
    feedZoom();
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
        feedZoom();
    if (m_sheet != nullptr && m_sheet->isVisible())
        feedSheet();
}

void CloseupWindows::feedZoom()
{
    const character::CharacterState& state = m_logic.state();
    const std::string readout = state.playbackFlag ? closeup::readoutText(closeup::frameReadout(
                                    state, state.currentAnimation, m_logic.player().frameIndex()))
                                                   : std::string();
    m_zoom->frameShown(m_display.Surface(), readout);
}

void CloseupWindows::feedSheet()
{
    const character::CharacterState& state = m_logic.state();
    m_sheet->frameShown(state.currentAnimation, m_logic.player().frameIndex(), m_logic.sheetSurface());
}

} // namespace app
