#include "picture/Graphics_Palette.h"

#include <algorithm>
#include <vector>

namespace picture {

platform::HPALETTE paletteFromColorTable(std::span<const platform::RgbQuad> colors)
{
    if (colors.empty())
        return nullptr;
    const std::size_t count = std::min<std::size_t>(colors.size(), 256);
    std::vector<platform::PaletteEntry> entries(count);
    for (std::size_t i = 0; i < count; ++i)
        entries[i] = { colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue, 0 };
    // A 16-colour image on a palette display keeps the display's fixed
    // colours at both ends, so that it does not disturb the desktop.
    const auto system16 = platform::systemPalette16();
    if (count == 16 && system16.size() == 16 && platform::screenDC().bitsPerPixel() <= 8) {
        std::copy_n(system16.begin(), 8, entries.begin());
        std::copy_n(system16.begin() + 8, 8, entries.begin() + 8);
    }
    return platform::CreatePalette(entries);
}

} // namespace picture
