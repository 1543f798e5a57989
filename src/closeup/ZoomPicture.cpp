#include "closeup/ZoomPicture.h"

#include "closeup/CloseupFrame.h"
#include "closeup/CloseupPicture.h"

namespace closeup {

void ZoomPicture::setOnion(const OnionSettings& onion)
{
    if (onion == m_onion)
        return;
    m_onion = onion;
    m_stale = true;
}

void ZoomPicture::setStripShown(bool shown)
{
    m_stripShown = shown;
}

bool ZoomPicture::composeIfChanged(const Presented& presented)
{
    const character::CharacterState& state = *presented.state;
    // The source is tested every time, so that it always knows the tables
    // and sheet of the last presented frame.
    const bool sourceChanged = m_source.changed(state.tables, state.currentAnimation, presented.sheet);
    const bool same = !m_stale && !sourceChanged && m_playing == state.playbackFlag
        && m_animation == state.currentAnimation && m_frameIndex == presented.frameIndex;
    if (same)
        return false;
    if (sourceChanged)
        m_sprites.clear();
    m_stale = false;
    m_playing = state.playbackFlag;
    m_animation = state.currentAnimation;
    m_frameIndex = presented.frameIndex;
    ++m_compositions;
    return m_frame.assign(frameOnShow(state, presented.frameIndex, presented.sheet, m_onion, &m_sprites));
}

ZoomPicture::Changes ZoomPicture::update(const Presented& presented)
{
    Changes changes;
    if (presented.state != nullptr && (composes() || presented.refresh)) {
        changes.frame = composeIfChanged(presented);
    } else {
        // The view itself; the next composition must not take it for its own.
        m_stale = true;
        changes.frame = m_frame.capture(presented.view);
    }
    changes.frameRect = m_frame.changed();

    const bool playing = presented.state != nullptr && presented.state->playbackFlag;
    if (m_stripShown && presented.state != nullptr)
        changes.strip = m_strip.update(
            presented.state->tables, presented.state->currentAnimation, presented.sheet, playing);
    const std::int32_t mark = m_stripShown && playing ? presented.frameIndex : 0;
    if (mark != m_mark || changes.strip) {
        changes.oldMark = m_mark;
        changes.newMark = mark;
        m_mark = mark;
    }
    return changes;
}

display::ColorImage ZoomPicture::picture(int zoom, bool grid) const
{
    display::ColorImage frame(m_frame.width(), m_frame.height());
    for (std::int32_t y = 0; y < frame.height; ++y) {
        for (std::int32_t x = 0; x < frame.width; ++x)
            frame.at(x, y) = m_frame.color(m_frame.raw(x, y));
    }
    return closeupPicture(frame, zoom, grid);
}

} // namespace closeup
