#include "display/DXDraws.h"

#include "display/DXConsts.h"
#include "platform/Gdi.h"

#include <algorithm>
#include <cstring>

using namespace platform;

TDirectDrawSurface::TDirectDrawSurface(TDirectDraw* directDraw)
    : m_directDraw(directDraw)
{
    m_directDraw->m_surfaces.push_back(this);
}

TDirectDrawSurface::~TDirectDrawSurface()
{
    m_canvas.reset();
    AttachSurface(nullptr);
    auto& list = m_directDraw->m_surfaces;
    const auto it = std::find(list.begin(), list.end(), this);
    if (it != list.end())
        list.erase(it);
}

const IDirectDrawSurface& TDirectDrawSurface::RequiredSurfaceInterface() const
{
    if (!m_surface)
        throw EDirectDrawSurfaceError(format(dxconsts::kSNotMade, { dxconsts::kIDirectDrawSurface }));
    return m_surface;
}

void TDirectDrawSurface::AttachSurface(const IDirectDrawSurface& surface)
{
    if (surface == m_surface)
        return;
    m_surface = surface;
    m_lockCount = 0;
    m_desc = DDSURFACEDESC {};
    if (!m_surface)
        return;
    m_desc.dwSize = kSurfaceDescSize;
    m_surface->getSurfaceDesc(m_desc);
}

bool TDirectDrawSurface::CreateSurface(const DDSURFACEDESC& desc)
{
    AttachSurface(nullptr);
    IDirectDrawSurface made;
    m_directDraw->SetErrorCode(m_directDraw->DrawInterface()->createSurface(desc, made));
    SetErrorCode(m_directDraw->ErrorCode());
    if (ErrorCode() != 0)
        return false;
    AttachSurface(made);
    TransparentColor(0);
    return true;
}

void requireSheetSurfaceSize(std::int32_t width, std::int32_t height)
{
    constexpr std::int32_t kDisplayBits = 32;
    if (width > 0 && height > 0 && !platform::pixelMemoryFits(width, height, kDisplayBits))
        throw EDirectDrawSurfaceError(format(dxconsts::kSCannotMake, { dxconsts::kSurfaceName }));
}

void TDirectDrawSurface::SetSize(std::int32_t width, std::int32_t height)
{
    if (width <= 0 || height <= 0) {
        AttachSurface(nullptr);
        return;
    }
    DDSURFACEDESC desc;
    desc.dwSize = kSurfaceDescSize;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwHeight = static_cast<std::uint32_t>(height);
    desc.dwWidth = static_cast<std::uint32_t>(width);
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | (m_systemMemory ? DDSCAPS_SYSTEMMEMORY : 0);
    if (CreateSurface(desc))
        return;
    if (!(desc.ddsCaps.dwCaps & DDSCAPS_SYSTEMMEMORY)) {
        desc.ddsCaps.dwCaps = (desc.ddsCaps.dwCaps & ~DDSCAPS_VIDEOMEMORY) | DDSCAPS_SYSTEMMEMORY;
        if (CreateSurface(desc)) {
            m_systemMemory = true;
            return;
        }
    }
    throw EDirectDrawSurfaceError(format(dxconsts::kSCannotMake, { dxconsts::kSurfaceName }));
}

bool TDirectDrawSurface::Lock(const TRect* rect, DDSURFACEDESC& desc)
{
    if (!m_surface || m_lockCount > 0)
        return false;
    m_lockDesc.dwSize = kSurfaceDescSize;
    const bool whole
        = !rect || (rect->Left == 0 && rect->Top == 0 && rect->Right == Width() && rect->Bottom == Height());
    SetErrorCode(m_surface->lock(whole ? nullptr : rect, m_lockDesc, DDLOCK_WAIT));
    if (ErrorCode() != 0)
        return false;
    m_lockCount = 1;
    desc = m_lockDesc;
    return true;
}

void TDirectDrawSurface::Unlock()
{
    if (!m_surface || m_lockCount <= 0)
        return;
    if (--m_lockCount == 0)
        m_surface->unlock(m_lockDesc.lpSurface);
}

std::uint32_t TDirectDrawSurface::Pixels(std::int32_t X, std::int32_t Y)
{
    if (!m_surface || X < 0 || X >= Width() || Y < 0 || Y >= Height())
        return 0;
    DDSURFACEDESC desc;
    if (!Lock(nullptr, desc))
        return 0;
    const std::uint8_t* row = desc.lpSurface + static_cast<std::ptrdiff_t>(Y) * desc.lPitch;
    const auto x = static_cast<std::size_t>(X);
    std::uint32_t value = 0;
    switch (desc.ddpfPixelFormat.dwRGBBitCount) {
    case 1:
        value = (row[x / 8] >> (x % 8)) & 1;
        break;
    case 4:
        value = (x % 2 == 0) ? (row[x / 2] >> 4) : (row[x / 2] & 0x0F);
        break;
    case 8:
        value = row[x];
        break;
    case 16:
        value = row[2 * x] | (row[2 * x + 1] << 8);
        break;
    case 24:
        value = row[3 * x] | (row[3 * x + 1] << 8) | (static_cast<std::uint32_t>(row[3 * x + 2]) << 16);
        break;
    case 32:
        std::memcpy(&value, row + 4 * x, 4);
        break;
    default:
        break;
    }
    Unlock();
    return value;
}

void TDirectDrawSurface::SetColorKey(std::uint32_t flags, const DDCOLORKEY& key)
{
    if (m_surface)
        SetErrorCode(m_surface->setColorKey(flags, &key));
}

void TDirectDrawSurface::TransparentColor(std::uint32_t value)
{
    SetColorKey(DDCKEY_SRCBLT, DDCOLORKEY { value, value });
}

bool TDirectDrawSurface::Blt(const TRect* destRect, const TRect* sourceRect, std::uint32_t flags,
    const DDBLTFX& fx, TDirectDrawSurface* source)
{
    if (!m_surface)
        return false;
    SoftSurface* from = source ? source->m_surface.get() : nullptr;
    SetErrorCode(m_surface->blt(destRect, from, sourceRect, flags, &fx));
    return ErrorCode() == 0;
}

bool TDirectDrawSurface::BltFast(
    std::int32_t X, std::int32_t Y, const TRect& sourceRect, std::uint32_t flags, TDirectDrawSurface* source)
{
    if (!m_surface)
        return false;
    SoftSurface* from = source ? source->m_surface.get() : nullptr;
    SetErrorCode(m_surface->bltFast(X, Y, from, &sourceRect, flags));
    return ErrorCode() == 0;
}

bool TDirectDrawSurface::Fill(std::uint32_t value)
{
    DDBLTFX fx;
    fx.dwSize = kBltFxSize;
    fx.dwFillColor = value;
    return Blt(nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, fx, nullptr);
}

bool TDirectDrawSurface::Restore()
{
    if (!m_surface)
        return false;
    SetErrorCode(m_surface->restore());
    return ErrorCode() == 0;
}

void TDirectDrawSurface::Clipper(TDirectDrawClipper* clipper)
{
    if (m_surface)
        SetErrorCode(m_surface->setClipper(clipper ? clipper->ClipperInterface() : nullptr));
}

void TDirectDrawSurface::Palette(TDirectDrawPalette* palette)
{
    if (m_surface)
        SetErrorCode(m_surface->setPalette(palette ? palette->PaletteInterface() : nullptr));
}
