#pragma once

// What the zoom window holds between frames: the frame on show as it shows
// it, the strip of every frame and the frame marked in it. With onion skin
// and background as they are, the frame is a copy of the view; otherwise it
// is composed, only when the frame on show, its animation's tables, the
// sheet or the settings change, never merely because another frame was
// presented. The strip is made once per load, reload or animation.

#include "character/CharacterTables.h"
#include "closeup/CloseupFrame.h"
#include "closeup/FrameList.h"
#include "closeup/FrameSource.h"
#include "closeup/OnionSkin.h"
#include "closeup/SurfaceImage.h"
#include "display/ColorImage.h"

#include <cstdint>

class TDirectDrawSurface;

namespace closeup {

// What the view presented and where it came from.
struct Presented {
    const character::CharacterState* state = nullptr;
    std::int32_t frameIndex = 0;
    TDirectDrawSurface* sheet = nullptr;
    TDirectDrawSurface* view = nullptr;
    // Asked for by a change of settings rather than a present: the view may
    // already be cleared for the next frame, so it is composed, not copied.
    bool refresh = false;
};

class ZoomPicture {
public:
    struct Changes {
        bool frame = false; // the frame's pixels in `frameRect` differ
        TRect frameRect;
        bool strip = false; // the strip was made again
        std::int32_t oldMark = 0; // frames whose cells need their mark redrawn
        std::int32_t newMark = 0;
    };

    Changes update(const Presented& presented);

    const OnionSettings& onion() const { return m_onion; }
    void setOnion(const OnionSettings& onion);
    bool stripShown() const { return m_stripShown; }
    void setStripShown(bool shown);

    const SurfaceImage& frame() const { return m_frame; }
    const FrameList& strip() const { return m_strip; }
    std::int32_t mark() const { return m_mark; }

    // What PNG で保存… writes: the frame as shown, enlarged, with the grid.
    display::ColorImage picture(int zoom, bool grid) const;

    // Frames composed so far, for the cost to be seen.
    int compositions() const { return m_compositions; }

private:
    bool composes() const { return m_onion != OnionSettings {}; }
    bool composeIfChanged(const Presented& presented);

    OnionSettings m_onion;
    bool m_stripShown = false;
    bool m_stale = true;
    SurfaceImage m_frame;
    FrameSource m_source;
    SpriteCache m_sprites;
    bool m_playing = false;
    std::int32_t m_animation = 0;
    std::int32_t m_frameIndex = 0;
    FrameList m_strip;
    std::int32_t m_mark = 0;
    int m_compositions = 0;
};

} // namespace closeup
