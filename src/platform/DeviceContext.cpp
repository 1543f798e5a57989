#include "platform/Gdi.h"

namespace platform {

namespace {

// The one-pixel monochrome bitmap that every new memory context holds. It is
// shared, as stock objects are; nothing of this program draws into it.
const HBITMAP& stockBitmap()
{
    static const HBITMAP bitmap = [] {
        HBITMAP b = makeBitmap(1, 1, PixelFormat { 1, 0, 0, 0 }, false, false);
        const RgbQuad blackAndWhite[] = { { 0, 0, 0, 0 }, { 255, 255, 255, 0 } };
        b->setColorTable(0, blackAndWhite);
        return b;
    }();
    return bitmap;
}

} // namespace

DeviceContext::DeviceContext()
    : m_bitmap(stockBitmap())
{
}

HBITMAP DeviceContext::selectBitmap(HBITMAP bitmap)
{
    if (!bitmap)
        return nullptr;
    HBITMAP previous = std::move(m_bitmap);
    m_bitmap = std::move(bitmap);
    return previous;
}

HPALETTE DeviceContext::selectPalette(HPALETTE palette, bool)
{
    HPALETTE previous = std::move(m_palette);
    m_palette = std::move(palette);
    return previous;
}

int DeviceContext::realizePalette()
{
    return m_palette ? static_cast<int>(m_palette->entries.size()) : 0;
}

int DeviceContext::setStretchMode(int mode)
{
    const int previous = m_stretchMode;
    if (mode >= BLACKONWHITE && mode <= HALFTONE)
        m_stretchMode = mode;
    return previous;
}

std::uint32_t DeviceContext::setBkColor(std::uint32_t rgb)
{
    const std::uint32_t previous = m_bkColor;
    m_bkColor = rgb;
    return previous;
}

std::uint32_t DeviceContext::setTextColor(std::uint32_t rgb)
{
    const std::uint32_t previous = m_textColor;
    m_textColor = rgb;
    return previous;
}

TPoint DeviceContext::setBrushOrigin(TPoint origin)
{
    const TPoint previous = m_brushOrigin;
    m_brushOrigin = origin;
    return previous;
}

int DeviceContext::bitsPerPixel() const
{
    if (!m_bitmap || m_bitmap == stockBitmap())
        return screenFormat().bitCount;
    return m_bitmap->bitCount();
}

std::unique_ptr<DeviceContext> CreateCompatibleDC()
{
    return std::make_unique<DeviceContext>();
}

DeviceContext& screenDC()
{
    static DeviceContext context;
    return context;
}

} // namespace platform
