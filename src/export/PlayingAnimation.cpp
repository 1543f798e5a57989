#include "export/PlayingAnimation.h"

#include "export/GifEncoder.h"
#include "export/OnceThrough.h"
#include "playback/FormLogic.h"

namespace exporter {

void savePlayingAnimation(
    const std::string& path, const playback::FormLogic& logic, TDirectDraw& directDraw, int scale)
{
    const character::CharacterState& state = logic.state();
    const std::vector<Image> frames
        = onceThroughFrames(state.tables, state.currentAnimation, logic.sheetSurface(), directDraw);
    std::vector<TimedImage> timed;
    timed.reserve(frames.size());
    for (const Image& frame : frames)
        timed.push_back({ &frame, state.frameInterval });
    writeAnimatedGif(path, timed, scale);
}

} // namespace exporter
