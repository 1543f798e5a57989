#include "closeup/SurfaceImage.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace closeup {

namespace {

std::uint32_t readPixel(const std::uint8_t* row, std::int32_t x, std::uint32_t bitCount)
{
    switch (bitCount) {
    case 8:
        return row[x];
    case 16:
        return std::uint32_t(row[2 * x]) | (std::uint32_t(row[2 * x + 1]) << 8);
    case 24:
        return std::uint32_t(row[3 * x]) | (std::uint32_t(row[3 * x + 1]) << 8)
            | (std::uint32_t(row[3 * x + 2]) << 16);
    case 32: {
        std::uint32_t v;
        std::memcpy(&v, row + 4 * x, 4);
        return v;
    }
    default:
        return 0;
    }
}

// The smallest rectangle that holds every pixel that differs.
TRect differences(
    const std::vector<std::uint32_t>& before, const std::vector<std::uint32_t>& after, std::int32_t width)
{
    TRect box { width, 0, 0, 0 };
    bool any = false;
    const std::int32_t height = width > 0 ? static_cast<std::int32_t>(after.size() / std::size_t(width)) : 0;
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint32_t* a = before.data() + std::size_t(y) * width;
        const std::uint32_t* b = after.data() + std::size_t(y) * width;
        if (std::equal(a, a + width, b))
            continue;
        std::int32_t left = 0;
        while (a[left] == b[left])
            ++left;
        std::int32_t right = width;
        while (a[right - 1] == b[right - 1])
            --right;
        box.Left = std::min(box.Left, left);
        box.Right = std::max(box.Right, right);
        if (!any)
            box.Top = y;
        box.Bottom = y + 1;
        any = true;
    }
    return any ? box : TRect {};
}

} // namespace

std::uint32_t SurfaceImage::Channel::toByte(std::uint32_t raw) const
{
    if (bits == 0)
        return 0;
    const std::uint32_t v = (raw & mask) >> shift;
    if (bits >= 8)
        return v >> (bits - 8);
    const std::uint32_t max = (1u << bits) - 1;
    return (v * 255 + max / 2) / max;
}

void SurfaceImage::setFormat(const platform::DDPIXELFORMAT& format)
{
    m_bitCount = format.dwRGBBitCount;
    m_directColor = m_bitCount > 8 && format.dwRBitMask == 0x00FF0000u && format.dwGBitMask == 0x0000FF00u
        && format.dwBBitMask == 0x000000FFu;
    for (auto [channel, mask] : { std::pair { &m_red, format.dwRBitMask },
             std::pair { &m_green, format.dwGBitMask }, std::pair { &m_blue, format.dwBBitMask } }) {
        channel->mask = mask;
        channel->shift = mask == 0 ? 0 : std::countr_zero(mask);
        channel->bits = std::popcount(mask);
    }
}

std::uint32_t SurfaceImage::color(std::uint32_t raw) const
{
    if (m_directColor)
        return raw & 0x00FFFFFFu;
    if (m_bitCount <= 8) {
        // Palette indexes: shown as a grey ramp, which keeps them apart.
        const std::uint32_t grey = raw & 0xFF;
        return (grey << 16) | (grey << 8) | grey;
    }
    return (m_red.toByte(raw) << 16) | (m_green.toByte(raw) << 8) | m_blue.toByte(raw);
}

std::uint32_t SurfaceImage::raw(std::int32_t x, std::int32_t y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    return m_raw[std::size_t(y) * m_width + x];
}

bool SurfaceImage::read(TDirectDrawSurface& surface, std::vector<std::uint32_t>& out)
{
    platform::DDSURFACEDESC desc;
    if (!surface.Lock(nullptr, desc))
        return false;
    const std::int32_t width = surface.Width();
    const std::int32_t height = surface.Height();
    setFormat(desc.ddpfPixelFormat);
    out.resize(std::size_t(width) * std::size_t(height));
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* row = desc.lpSurface + std::ptrdiff_t(desc.lPitch) * y;
        std::uint32_t* dst = out.data() + std::size_t(y) * width;
        if (m_bitCount == 32) {
            std::memcpy(dst, row, std::size_t(width) * 4);
            continue;
        }
        for (std::int32_t x = 0; x < width; ++x)
            dst[x] = readPixel(row, x, m_bitCount);
    }
    surface.Unlock();
    return true;
}

bool SurfaceImage::capture(TDirectDrawSurface* surface)
{
    const platform::SoftSurface* platformSurface
        = surface != nullptr ? surface->SurfaceInterface().get() : nullptr;
    if (platformSurface == nullptr || surface->Width() <= 0 || surface->Height() <= 0) {
        const bool changed = !empty() || m_hasKey;
        m_changed = TRect { 0, 0, m_width, m_height };
        m_width = m_height = 0;
        m_raw.clear();
        m_hasKey = false;
        m_source.reset();
        return changed;
    }
    if (!read(*surface, m_scratch))
        return false;
    const bool hasKey = platformSurface->hasSourceKey();
    const std::uint32_t key = hasKey ? platformSurface->sourceKey() : 0;
    const bool sameSize = m_width == surface->Width() && m_height == surface->Height();
    m_changed = sameSize && m_hasKey == hasKey && m_key == key
        ? differences(m_raw, m_scratch, m_width)
        : TRect { 0, 0, surface->Width(), surface->Height() };
    const bool changed = m_changed.width() > 0;
    m_width = surface->Width();
    m_height = surface->Height();
    m_raw.swap(m_scratch);
    m_hasKey = hasKey;
    m_key = key;
    m_source = surface->SurfaceInterface();
    return changed;
}

bool SurfaceImage::assign(const display::ColorImage& image)
{
    const bool sameSize = m_width == image.width && m_height == image.height;
    const bool sameFormat = m_directColor && m_bitCount == 32 && !m_hasKey;
    m_changed = sameSize && sameFormat ? differences(m_raw, image.pixels, m_width)
                                       : TRect { 0, 0, image.width, image.height };
    m_width = image.width;
    m_height = image.height;
    m_raw = image.pixels;
    m_bitCount = 32;
    m_directColor = true;
    m_hasKey = false;
    m_key = 0;
    m_source.reset();
    m_followed = false;
    return m_changed.width() > 0;
}

bool SurfaceImage::follow(TDirectDrawSurface* surface)
{
    const IDirectDrawSurface* current = surface != nullptr ? &surface->SurfaceInterface() : nullptr;
    if (m_followed && current != nullptr && *current) {
        // The weak reference keeps its control block, so a new platform
        // surface can never pass for the old one, even at the same address.
        const bool same = !m_source.owner_before(*current) && !current->owner_before(m_source);
        const bool sameKey
            = (*current)->hasSourceKey() == m_hasKey && (!m_hasKey || (*current)->sourceKey() == m_key);
        if (same && sameKey)
            return false;
    }
    m_followed = true;
    const bool changed = capture(surface);
    // A sheet is copied once per load; the spare buffer would only hold the
    // image before it.
    m_scratch = {};
    return changed;
}

} // namespace closeup
