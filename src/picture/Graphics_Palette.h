#pragma once

#include "platform/Gdi.h"

#include <span>

namespace picture {

// A logical palette for a colour table; none for no colours.
platform::HPALETTE paletteFromColorTable(std::span<const platform::RgbQuad> colors);

} // namespace picture
