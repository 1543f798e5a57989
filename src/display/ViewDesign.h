#pragma once

// The display control's design values on the main window: the view it
// presents and the options it is set up with. The window, the headless
// driver and the frame composition all measure the view by these.

#include "display/DXDraws.h"

#include <cstdint>

namespace display {

inline constexpr std::int32_t kViewWidth = 121;
inline constexpr std::int32_t kViewHeight = 271;

inline constexpr TDXDrawOptions kViewOptions
    = doAllowReboot | doCenter | doRetainedMode | doHardware | doSelectDriver;

// Sets the stored properties of the view, as the form does while it reads
// them: the control must be loading. Its place and size come from the
// control's row of the window's design.
inline void loadViewDesign(TCustomDXDraw& draw)
{
    draw.SetOptions(kViewOptions);
    draw.AutoInitialize = true;
    draw.AutoSize = true;
    draw.Display.FixedBitCount = true;
    draw.Display.FixedRatio = true;
    draw.Display.FixedSize = false;
    draw.SetSurfaceWidth(kViewWidth);
    draw.SetSurfaceHeight(kViewHeight);
}

} // namespace display
