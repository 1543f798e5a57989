#include "platform/SoftDisplay.h"

#include "platform/BitmapLayout.h"
#include "platform/SoftDisplayState.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

// Formats that surfaces can be made in: the indexed ones and the direct ones
// that Bitmap describes.
bool formatFromDesc(const DDPIXELFORMAT& pf, PixelFormat& format)
{
    switch (pf.dwRGBBitCount) {
    case 1:
    case 4:
    case 8:
        format = PixelFormat { static_cast<std::uint16_t>(pf.dwRGBBitCount), 0, 0, 0 };
        return true;
    case 16:
    case 24:
    case 32:
        format = PixelFormat { static_cast<std::uint16_t>(pf.dwRGBBitCount), pf.dwRBitMask, pf.dwGBitMask,
            pf.dwBBitMask };
        return true;
    default:
        return false;
    }
}

std::uint64_t pixelBytes(std::int32_t width, std::int32_t height, int bitCount)
{
    return bitmap::rowStride(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(bitCount))
        * static_cast<std::uint64_t>(height);
}

} // namespace

// ---- windows, clippers, palettes -----------------------------------------

SoftWindow::SoftWindow(std::int32_t width, std::int32_t height, const PixelFormat& format)
    : m_format(format)
{
    setGeometry(TPoint {}, width, height);
}

void SoftWindow::setGeometry(TPoint screenOrigin, std::int32_t width, std::int32_t height)
{
    m_origin = screenOrigin;
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width != m_width || height != m_height) {
        HBITMAP pixels
            = (width > 0 && height > 0) ? makeBitmap(width, height, m_format, true, false) : nullptr;
        if (pixels && m_pixels) {
            const std::size_t rowBytes
                = (static_cast<std::size_t>(std::min(width, m_width)) * m_format.bitCount + 7) / 8;
            for (std::int32_t y = 0; y < std::min(height, m_height); ++y)
                std::memcpy(pixels->scanLine(y), m_pixels->scanLine(y), rowBytes);
        }
        m_pixels = std::move(pixels);
        m_width = m_pixels ? width : 0;
        m_height = m_pixels ? height : 0;
    }
    m_visible = { TRect { m_origin.X, m_origin.Y, m_origin.X + m_width, m_origin.Y + m_height } };
}

void SoftWindow::setVisibleRegion(std::vector<TRect> rects)
{
    m_visible = std::move(rects);
}

TPoint SoftWindow::clientToScreen(TPoint client) const
{
    return TPoint { m_origin.X + client.X, m_origin.Y + client.Y };
}

HRESULT SoftClipper::setHWnd(std::uint32_t flags, const HWND& window)
{
    if (flags != 0)
        return kErrInvalidParams;
    m_window = window;
    m_bound = window != nullptr;
    m_rects.clear();
    return DD_OK;
}

HRESULT SoftClipper::setClipList(std::vector<TRect> rects)
{
    if (m_bound)
        return kErrUnsupported;
    m_rects = std::move(rects);
    return DD_OK;
}

std::vector<TRect> SoftClipper::clipRects() const
{
    if (!m_bound)
        return m_rects;
    if (auto window = m_window.lock())
        return window->visibleRegion();
    return {};
}

HRESULT SoftPalette::setEntries(
    std::uint32_t flags, std::uint32_t first, std::span<const PaletteEntry> entries)
{
    if (flags != 0 || first > m_entries.size() || entries.size() > m_entries.size() - first)
        return kErrInvalidParams;
    std::copy(entries.begin(), entries.end(), m_entries.begin() + first);
    return DD_OK;
}

// ---- the display object ----------------------------------------------------

SoftDisplayTestHooks& softDisplayTestHooks()
{
    static SoftDisplayTestHooks hooks;
    return hooks;
}

void resetSoftDisplayTestHooks()
{
    softDisplayTestHooks() = SoftDisplayTestHooks {};
}

SoftDisplay::SoftDisplay(const PixelFormat& format)
    : m_state(std::make_shared<SoftDisplayState>())
{
    m_state->format = format;
}

SoftDisplay::~SoftDisplay() = default;

const PixelFormat& SoftDisplay::format() const
{
    return m_state->format;
}

std::shared_ptr<SoftDisplay> SoftDisplay::queryVersion6()
{
    if (softDisplayTestHooks().withoutVersion6)
        return nullptr;
    return shared_from_this();
}

HRESULT SoftDisplay::getCaps(DDCAPS* driverCaps, DDCAPS* helCaps) const
{
    for (DDCAPS* caps : { driverCaps, helCaps }) {
        if (caps && caps->dwSize != kCapsSize)
            return kErrInvalidParams;
    }
    const std::uint64_t budget = softDisplayTestHooks().videoMemoryBytes;
    const auto clamp
        = [](std::uint64_t v) { return static_cast<std::uint32_t>(std::min<std::uint64_t>(v, UINT32_MAX)); };
    if (driverCaps) {
        driverCaps->dwVidMemTotal = clamp(budget);
        driverCaps->dwVidMemFree = clamp(budget - std::min(budget, m_state->videoUsed));
    }
    if (helCaps)
        *helCaps = DDCAPS { kCapsSize, 0, 0, 0 };
    return DD_OK;
}

HRESULT SoftDisplay::setCooperativeLevel(const HWND&, std::uint32_t flags)
{
    // Only windowed access exists here: full screen needs a display mode.
    if (flags != DDSCL_NORMAL)
        return kErrUnsupported;
    m_level = flags;
    return DD_OK;
}

HRESULT SoftDisplay::waitForVerticalBlank(std::uint32_t flags)
{
    return flags == DDWAITVB_BLOCKBEGIN ? DD_OK : kErrInvalidParams;
}

std::int32_t SoftDisplay::screenWidth() const
{
    return m_state->screenWidth;
}
std::int32_t SoftDisplay::screenHeight() const
{
    return m_state->screenHeight;
}
std::uint64_t SoftDisplay::videoMemoryUsed() const
{
    return m_state->videoUsed;
}
std::uint64_t SoftDisplay::systemMemoryUsed() const
{
    return m_state->systemUsed;
}

HRESULT SoftDisplay::createSurface(const DDSURFACEDESC& desc, std::shared_ptr<SoftSurface>& surface)
{
    surface.reset();
    if (desc.dwSize != kSurfaceDescSize || !(desc.dwFlags & DDSD_CAPS))
        return kErrInvalidParams;
    const SoftDisplayTestHooks& hooks = softDisplayTestHooks();
    std::shared_ptr<SoftSurface> made(new SoftSurface());
    made->m_state = m_state;
    if (desc.ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE) {
        if (hooks.refusePrimary || (desc.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT)))
            return kErrInvalidParams;
        made->m_primary = true;
        made->m_caps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_VIDEOMEMORY;
        made->m_width = m_state->screenWidth;
        made->m_height = m_state->screenHeight;
        made->m_format = m_state->format;
    } else {
        if ((desc.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT) || desc.dwWidth == 0
            || desc.dwHeight == 0 || desc.dwWidth > INT32_MAX || desc.dwHeight > INT32_MAX)
            return kErrInvalidParams;
        PixelFormat format = m_state->format;
        if ((desc.dwFlags & DDSD_PIXELFORMAT) && !formatFromDesc(desc.ddpfPixelFormat, format))
            return kErrInvalidParams;
        const auto width = static_cast<std::int32_t>(desc.dwWidth);
        const auto height = static_cast<std::int32_t>(desc.dwHeight);
        const std::uint64_t bytes = pixelBytes(width, height, format.bitCount);
        const bool system = desc.ddsCaps.dwCaps & DDSCAPS_SYSTEMMEMORY;
        if (system
            && bytes > hooks.systemMemoryBytes - std::min(hooks.systemMemoryBytes, m_state->systemUsed))
            return kErrOutOfMemory;
        if (!system && bytes > hooks.videoMemoryBytes - std::min(hooks.videoMemoryBytes, m_state->videoUsed))
            return kErrOutOfVideoMemory;
        made->m_pixels = makeBitmap(width, height, format, true, false);
        if (!made->m_pixels)
            return system ? kErrOutOfMemory : kErrOutOfVideoMemory;
        made->m_caps = (desc.ddsCaps.dwCaps & ~(DDSCAPS_SYSTEMMEMORY | DDSCAPS_VIDEOMEMORY))
            | (system ? DDSCAPS_SYSTEMMEMORY : DDSCAPS_VIDEOMEMORY);
        made->m_width = width;
        made->m_height = height;
        made->m_format = format;
        made->m_bytes = bytes;
        (system ? m_state->systemUsed : m_state->videoUsed) += bytes;
    }
    std::erase_if(m_state->surfaces, [](const std::weak_ptr<SoftSurface>& s) { return s.expired(); });
    m_state->surfaces.push_back(made);
    surface = std::move(made);
    return DD_OK;
}

HRESULT SoftDisplay::createClipper(std::uint32_t flags, std::shared_ptr<SoftClipper>& clipper)
{
    clipper.reset();
    if (flags != 0 || softDisplayTestHooks().refuseClipper)
        return kErrInvalidParams;
    clipper = std::make_shared<SoftClipper>();
    return DD_OK;
}

HRESULT SoftDisplay::createPalette(
    std::uint32_t caps, std::span<const PaletteEntry> entries, std::shared_ptr<SoftPalette>& palette)
{
    palette.reset();
    if (!(caps & DDPCAPS_8BIT) || entries.size() != 256)
        return kErrInvalidParams;
    auto made = std::make_shared<SoftPalette>(caps);
    made->setEntries(0, 0, entries);
    palette = std::move(made);
    return DD_OK;
}

void SoftDisplay::loseSurfacesForTesting()
{
    for (const auto& weak : m_state->surfaces) {
        if (auto surface = weak.lock())
            surface->loseForTesting();
    }
}

HRESULT DirectDrawCreate(const GUID* driverGuid, std::shared_ptr<SoftDisplay>* display, void* outer)
{
    if (!display)
        return kErrInvalidParams;
    display->reset();
    if (driverGuid || outer)
        return kErrInvalidParams;
    if (softDisplayTestHooks().createResult != DD_OK)
        return softDisplayTestHooks().createResult;
    *display = std::make_shared<SoftDisplay>();
    return DD_OK;
}

} // namespace platform
