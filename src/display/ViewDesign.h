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

// The control as the form makes it, the same in the window and in the
// headless driver: it reads its stored properties while loading, in the
// form's window and a window of its own; the form places it; once the form
// is shown, loading ends and the control makes its surface.
inline void beginViewLoading(TCustomDXDraw& draw, const platform::HWND& form, const platform::HWND& window)
{
    draw.Loading = true;
    draw.SetForm(form);
    draw.SetWindowHandle(window);
    loadViewDesign(draw);
}

inline void endViewLoading(TCustomDXDraw& draw)
{
    draw.Loading = false;
    draw.Loaded();
    draw.FormShown();
}

} // namespace display
