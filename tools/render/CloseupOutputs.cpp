#include "render/RenderDriver.h"

#include "export/PngEncoder.h"

#include <algorithm>

namespace render {

void RenderDriver::closeupToggle(const std::string& name)
{
    if (name == kNoBackgroundToggle)
        m_closeup.onion.noBackground = !m_closeup.onion.noBackground;
    else if (name == kGridToggle)
        m_closeup.grid = !m_closeup.grid;
}

void RenderDriver::writeCloseup(const std::string& path)
{
    try {
        exporter::writePng(path,
            closeup::closeupOnShow(
                m_logic.state(), m_logic.player().frameIndex(), m_logic.sheetSurface(), m_closeup));
    } catch (const std::exception& error) {
        report(error);
    }
}

void RenderDriver::writeFrameList(const std::string& path)
{
    try {
        const character::CharacterState& state = m_logic.state();
        m_frameList.update(state.tables, state.currentAnimation, m_logic.sheetSurface(), state.playbackFlag);
        // Nothing plays, so there is no frame to show: nothing is written,
        // as --out writes nothing without frames.
        if (m_frameList.count() == 0)
            return;
        exporter::writePng(path, closeup::stripPicture(m_frameList, m_logic.player().frameIndex()));
    } catch (const std::exception& error) {
        report(error);
    }
}

} // namespace render
