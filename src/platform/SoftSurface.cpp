#include "platform/SoftDisplay.h"

#include "platform/SoftDisplayState.h"

#include <algorithm>
#include <cstring>

namespace platform {

SoftSurface::~SoftSurface()
{
    if (!m_state)
        return;
    std::uint64_t& used = (m_caps & DDSCAPS_SYSTEMMEMORY) ? m_state->systemUsed : m_state->videoUsed;
    used -= std::min(used, m_bytes);
}

HRESULT SoftSurface::checkUsable() const
{
    if (m_lost)
        return DDERR_SURFACELOST;
    if (m_locked || m_dc)
        return kErrSurfaceBusy;
    return DD_OK;
}

HRESULT SoftSurface::getSurfaceDesc(DDSURFACEDESC& desc) const
{
    if (desc.dwSize != kSurfaceDescSize)
        return kErrInvalidParams;
    desc = DDSURFACEDESC {};
    desc.dwSize = kSurfaceDescSize;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    desc.dwWidth = static_cast<std::uint32_t>(m_width);
    desc.dwHeight = static_cast<std::uint32_t>(m_height);
    if (m_pixels) {
        desc.dwFlags |= DDSD_PITCH;
        desc.lPitch = static_cast<std::int32_t>(m_pixels->stride());
    }
    desc.ddpfPixelFormat.dwSize = 32;
    desc.ddpfPixelFormat.dwFlags = m_format.bitCount <= 8 ? DDPF_PALETTEINDEXED8 : DDPF_RGB;
    desc.ddpfPixelFormat.dwRGBBitCount = m_format.bitCount;
    if (m_format.bitCount > 8) {
        desc.ddpfPixelFormat.dwRBitMask = m_format.redMask;
        desc.ddpfPixelFormat.dwGBitMask = m_format.greenMask;
        desc.ddpfPixelFormat.dwBBitMask = m_format.blueMask;
    }
    desc.ddsCaps.dwCaps = m_caps;
    return DD_OK;
}

HRESULT SoftSurface::lock(const TRect* rect, DDSURFACEDESC& desc, std::uint32_t)
{
    if (m_primary)
        return kErrNotOnPrimary;
    if (const HRESULT hr = checkUsable(); hr != DD_OK)
        return hr;
    const TRect whole { 0, 0, m_width, m_height };
    const TRect area = rect ? *rect : whole;
    if (isEmpty(area) || !contains(whole, area))
        return kErrInvalidRect;
    DDSURFACEDESC out;
    out.dwSize = kSurfaceDescSize;
    getSurfaceDesc(out);
    out.dwFlags |= DDSD_LPSURFACE;
    const std::size_t leftByte = static_cast<std::size_t>(area.Left) * m_format.bitCount / 8;
    out.lpSurface = m_pixels->scanLine(area.Top) + leftByte;
    desc = out;
    m_locked = true;
    return DD_OK;
}

HRESULT SoftSurface::unlock(const std::uint8_t*)
{
    if (!m_locked)
        return kErrNotLocked;
    m_locked = false;
    return DD_OK;
}

HRESULT SoftSurface::getDC(HDC& dc)
{
    dc = nullptr;
    if (m_primary)
        return kErrNotOnPrimary;
    if (const HRESULT hr = checkUsable(); hr != DD_OK)
        return hr;
    if (m_format.bitCount <= 8 && m_palette) {
        std::array<RgbQuad, 256> colors;
        std::transform(m_palette->entries().begin(), m_palette->entries().end(), colors.begin(),
            [](const PaletteEntry& e) {
                return RgbQuad { e.peBlue, e.peGreen, e.peRed, 0 };
            });
        const std::size_t count = std::size_t { 1 } << m_format.bitCount;
        m_pixels->setColorTable(0, std::span<const RgbQuad>(colors.data(), count));
    }
    m_dc = CreateCompatibleDC();
    m_dc->selectBitmap(m_pixels);
    dc = m_dc.get();
    return DD_OK;
}

HRESULT SoftSurface::releaseDC(HDC dc)
{
    if (!m_dc || dc != m_dc.get())
        return kErrInvalidParams;
    m_dc.reset();
    return DD_OK;
}

HRESULT SoftSurface::setColorKey(std::uint32_t flags, const DDCOLORKEY* key)
{
    if (flags != DDCKEY_SRCBLT)
        return kErrUnsupported;
    if (m_lost)
        return DDERR_SURFACELOST;
    if (!key) {
        m_hasKey = false;
        return DD_OK;
    }
    // One raw value only: ranges of keys are not part of this display.
    if (key->dwColorSpaceHighValue != key->dwColorSpaceLowValue)
        return kErrUnsupported;
    m_hasKey = true;
    m_key = key->dwColorSpaceLowValue;
    return DD_OK;
}

HRESULT SoftSurface::setClipper(const std::shared_ptr<SoftClipper>& clipper)
{
    m_clipper = clipper;
    return DD_OK;
}

HRESULT SoftSurface::setPalette(const std::shared_ptr<SoftPalette>& palette)
{
    if (m_format.bitCount != 8)
        return kErrNoPaletteFormat;
    m_palette = palette;
    return DD_OK;
}

HRESULT SoftSurface::restore()
{
    if (!m_lost)
        return DD_OK;
    if (softDisplayTestHooks().refuseRestore)
        return kErrRestoreRefused;
    m_lost = false;
    return DD_OK;
}

void SoftSurface::loseForTesting()
{
    m_lost = true;
    // The memory comes back without its contents; make that visible.
    if (m_pixels)
        std::memset(m_pixels->bits(), 0xCD, m_pixels->byteSize());
}

} // namespace platform
