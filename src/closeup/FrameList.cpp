#include "closeup/FrameList.h"

#include "closeup/CloseupFrame.h"
#include "closeup/FrameReadout.h"
#include "closeup/PixelView.h"
#include "closeup/SheetOverlay.h"
#include "closeup/SurfaceImage.h"

#include <algorithm>

namespace closeup {

std::int32_t stripFrameCount(const character::CharacterTables& tables, std::int32_t animation)
{
    return std::max(1, tables.frameCount(animation));
}

display::ColorImage thumbnail(const display::ColorImage& frame)
{
    display::ColorImage out((frame.width + 1) / 2, (frame.height + 1) / 2);
    for (std::int32_t y = 0; y < out.height; ++y) {
        for (std::int32_t x = 0; x < out.width; ++x) {
            std::uint32_t sum[3] = {};
            std::uint32_t n = 0;
            for (std::int32_t sy = 2 * y; sy < std::min(2 * y + 2, frame.height); ++sy) {
                for (std::int32_t sx = 2 * x; sx < std::min(2 * x + 2, frame.width); ++sx) {
                    const std::uint32_t p = frame.at(sx, sy);
                    sum[0] += (p >> 16) & 0xFF;
                    sum[1] += (p >> 8) & 0xFF;
                    sum[2] += p & 0xFF;
                    ++n;
                }
            }
            out.at(x, y) = ((sum[0] + n / 2) / n) << 16 | ((sum[1] + n / 2) / n) << 8 | (sum[2] + n / 2) / n;
        }
    }
    return out;
}

bool FrameList::update(
    const character::CharacterTables& tables, std::int32_t animation, TDirectDrawSurface* sheet, bool playing)
{
    if (!playing) {
        const bool had = m_count != 0;
        m_source.forget();
        m_count = 0;
        m_image = display::ColorImage();
        return had;
    }
    if (!m_source.changed(tables, animation, sheet))
        return false;
    m_animation = animation;
    m_count = stripFrameCount(tables, animation);
    m_image = display::ColorImage(m_count * kCellWidth, kCellHeight, kStripBackground);
    for (std::int32_t index = 1; index <= m_count; ++index) {
        const display::ColorImage small = thumbnail(composeView(tables, animation, index, sheet));
        const std::int32_t left = (index - 1) * kCellWidth + kCellMargin;
        for (std::int32_t y = 0; y < small.height; ++y)
            std::copy_n(small.pixels.begin() + std::ptrdiff_t(y) * small.width, small.width,
                m_image.pixels.begin() + std::ptrdiff_t(y + kCellMargin) * m_image.width + left);
    }
    return true;
}

TRect FrameList::cell(std::int32_t frameIndex) const
{
    if (frameIndex < 1 || frameIndex > m_count)
        return TRect {};
    const std::int32_t left = (frameIndex - 1) * kCellWidth;
    return TRect { left, 0, left + kCellWidth, kCellHeight };
}

std::int32_t FrameList::frameAt(std::int32_t x, std::int32_t y) const
{
    if (x < 0 || y < 0 || y >= kCellHeight || x >= m_count * kCellWidth)
        return 0;
    return x / kCellWidth + 1;
}

void drawMark(const PixelTarget& target, const Viewport& view, const TRect& cell)
{
    drawBand(target, view, cell, kCellMargin * view.scale, 0xFF000000u | kMarkColor);
}

display::ColorImage stripPicture(const FrameList& list, std::int32_t marked)
{
    display::ColorImage out = list.image();
    if (out.pixels.empty())
        return out;
    const PixelTarget target { out.pixels.data(), out.width, out.height, out.width };
    drawMark(target, Viewport {}, list.cell(marked));
    for (std::uint32_t& p : out.pixels)
        p &= 0x00FFFFFFu;
    return out;
}

} // namespace closeup
