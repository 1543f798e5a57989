#include "platform/Gdi.h"
#include "platform/PixelCodec.h"

#include <array>

namespace platform {

namespace {

PixelFormat& currentScreenFormat()
{
    static PixelFormat format;
    return format;
}

constexpr std::array<PaletteEntry, 16> kVgaColors { {
    { 0, 0, 0, 0 },
    { 128, 0, 0, 0 },
    { 0, 128, 0, 0 },
    { 128, 128, 0, 0 },
    { 0, 0, 128, 0 },
    { 128, 0, 128, 0 },
    { 0, 128, 128, 0 },
    { 192, 192, 192, 0 },
    { 128, 128, 128, 0 },
    { 255, 0, 0, 0 },
    { 0, 255, 0, 0 },
    { 255, 255, 0, 0 },
    { 0, 0, 255, 0 },
    { 255, 0, 255, 0 },
    { 0, 255, 255, 0 },
    { 255, 255, 255, 0 },
} };

// The display's 256 entries: ten fixed colours at each end (the first and
// last eight of them the 16-colour set), a 6 x 6 x 6 colour cube and a grey
// ramp between.
std::array<PaletteEntry, 256> makeSystemPalette()
{
    std::array<PaletteEntry, 256> p {};
    for (int i = 0; i < 8; ++i) {
        p[i] = kVgaColors[i];
        p[248 + i] = kVgaColors[8 + i];
    }
    p[8] = { 192, 220, 192, 0 };
    p[9] = { 166, 202, 240, 0 };
    p[246] = { 255, 251, 240, 0 };
    p[247] = { 160, 160, 164, 0 };
    std::size_t n = 10;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                p[n++] = { std::uint8_t(r * 51), std::uint8_t(g * 51), std::uint8_t(b * 51), 0 };
    for (int i = 0; n < 246; ++i)
        p[n++] = { std::uint8_t(8 + i * 12), std::uint8_t(8 + i * 12), std::uint8_t(8 + i * 12), 0 };
    return p;
}

std::vector<RgbQuad> paletteAsTable(std::span<const PaletteEntry> entries)
{
    std::vector<RgbQuad> table;
    table.reserve(entries.size());
    for (const PaletteEntry& e : entries)
        table.push_back({ e.peBlue, e.peGreen, e.peRed, 0 });
    return table;
}

} // namespace

const PixelFormat& screenFormat()
{
    return currentScreenFormat();
}

void setScreenBitCountForTesting(int bitCount)
{
    PixelFormat& f = currentScreenFormat();
    switch (bitCount) {
    case 8:
        f = { 8, 0, 0, 0 };
        break;
    case 16:
        f = { 16, 0xF800, 0x07E0, 0x001F };
        break;
    case 24:
        f = { 24, 0xFF0000, 0xFF00, 0xFF };
        break;
    default:
        f = PixelFormat {};
        break;
    }
}

std::span<const PaletteEntry> systemPalette()
{
    static const std::array<PaletteEntry, 256> palette = makeSystemPalette();
    return palette;
}

std::span<const PaletteEntry> systemPalette16()
{
    return kVgaColors;
}

std::uint32_t rawFromColor(const PixelFormat& format, std::uint32_t rgb, std::span<const RgbQuad> table)
{
    rgb &= 0xFFFFFF;
    if (format.bitCount <= 8) {
        if (!table.empty())
            return detail::nearestEntry(table, rgb);
        static const std::vector<RgbQuad> system = paletteAsTable(systemPalette());
        return detail::nearestEntry(system, rgb);
    }
    if (format.bitCount == 24)
        return rgb;
    return detail::Channel(format.redMask).fromByte((rgb >> 16) & 0xFF)
        | detail::Channel(format.greenMask).fromByte((rgb >> 8) & 0xFF)
        | detail::Channel(format.blueMask).fromByte(rgb & 0xFF);
}

} // namespace platform
