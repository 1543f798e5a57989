#include "export/OnceThrough.h"

#include "display/DXDraws.h"
#include "display/ViewDesign.h"
#include "playback/Composition.h"

namespace exporter {

using character::CharacterTables;

std::vector<Image> onceThroughFrames(
    const CharacterTables& tables, std::int32_t animation, TDirectDrawSurface* sheet, TDirectDraw& directDraw)
{
    const std::int32_t length = tables.frameCount(animation);
    std::vector<Image> frames;
    frames.reserve(static_cast<std::size_t>(length));
    TDirectDrawSurface view(&directDraw);
    view.SetSize(display::kViewWidth, display::kViewHeight);
    for (std::int32_t index = 1; index <= length; ++index) {
        view.Fill(0);
        playback::composeFrame(tables, animation, index, sheet, &view);
        frames.push_back(readSurface(view));
    }
    return frames;
}

} // namespace exporter
