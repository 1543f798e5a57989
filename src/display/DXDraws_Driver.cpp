// The presentation strategies of the display control.

#include "display/DXDraws.h"

#include "display/DXConsts.h"

#include <algorithm>

using namespace platform;

TDXDrawDriver::TDXDrawDriver(TCustomDXDraw& control)
    : m_control(control)
{
    m_control.m_directDraw = new TDirectDraw(nullptr);
}

TDXDrawDriver::~TDXDrawDriver()
{
    // The base's own FinalizeSurfaces: no driver overrides it.
    TDXDrawDriver::FinalizeSurfaces();
    delete m_control.m_directDraw;
    m_control.m_directDraw = nullptr;
}

void TDXDrawDriver::FinalizeSurfaces()
{
    delete m_control.m_clipper;
    m_control.m_clipper = nullptr;
    delete m_control.m_palette;
    m_control.m_palette = nullptr;
    delete m_control.m_surface;
    m_control.m_surface = nullptr;
    delete m_control.m_primary;
    m_control.m_primary = nullptr;
}

bool TDXDrawDriver::RestoreSurfaces()
{
    TDirectDrawSurface* primary = m_control.m_primary;
    TDirectDrawSurface* surface = m_control.m_surface;
    if (!primary || !surface || !primary->Restore() || !surface->Restore())
        return false;
    primary->Fill(0);
    surface->Fill(0);
    return true;
}

TDXDrawDriverBlt::TDXDrawDriverBlt(TCustomDXDraw& control)
    : TDXDrawDriver(control)
{
}

void TDXDrawDriverBlt::InitializeSurfaces()
{
    TCustomDXDraw& c = m_control;
    TDirectDraw* dd = c.m_directDraw;

    c.m_primary = new TDirectDrawSurface(dd);
    DDSURFACEDESC desc;
    desc.dwSize = kSurfaceDescSize;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (!c.m_primary->CreateSurface(desc))
        throw EDXDrawError(format(dxconsts::kSCannotMake, { dxconsts::kPrimarySurfaceName }));

    c.m_surface = new TDirectDrawSurface(dd);

    c.m_clipper = new TDirectDrawClipper(dd);
    c.m_clipper->Handle(c.m_window);
    c.m_primary->Clipper(c.m_clipper);

    c.m_palette = new TDirectDrawPalette(dd);
    const std::vector<PaletteEntry> entries = c.paletteEntries(c.m_colorTable);
    const std::uint32_t caps = DDPCAPS_8BIT | DDPCAPS_INITIALIZE
        | ((c.m_effectiveOptions & doAllowPalette256) ? DDPCAPS_ALLOW256 : 0);
    c.m_palette->CreatePalette(caps, entries);
    c.m_primary->Palette(c.m_palette);

    MakeViewSurface();
}

void TDXDrawDriverBlt::MakeViewSurface()
{
    TCustomDXDraw& c = m_control;
    c.m_surface->AttachSurface(nullptr);
    c.m_effectiveOptions &= static_cast<TDXDrawOptions>(~doSystemMemory);

    DDSURFACEDESC desc;
    desc.dwSize = kSurfaceDescSize;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwWidth = static_cast<std::uint32_t>(std::max(c.m_surfaceWidth, 1));
    desc.dwHeight = static_cast<std::uint32_t>(std::max(c.m_surfaceHeight, 1));
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | ((c.m_options & doSystemMemory) ? DDSCAPS_SYSTEMMEMORY : 0)
        | ((c.m_effectiveOptions & do3D) ? DDSCAPS_3DDEVICE : 0);
    if (!c.m_surface->CreateSurface(desc)) {
        desc.ddsCaps.dwCaps |= DDSCAPS_SYSTEMMEMORY;
        if (!c.m_surface->CreateSurface(desc))
            throw EDXDrawError(format(dxconsts::kSCannotMake, { dxconsts::kSurfaceName }));
    }
    if (!(c.m_surface->SurfaceDesc().ddsCaps.dwCaps & DDSCAPS_VIDEOMEMORY))
        c.m_effectiveOptions |= doSystemMemory;

    c.m_surface->Palette(c.m_palette);
    c.m_surface->Fill(0);
}

bool TDXDrawDriverBlt::SetSize(std::int32_t width, std::int32_t height)
{
    TCustomDXDraw& c = m_control;
    c.m_surfaceWidth = std::max(width, 1);
    c.m_surfaceHeight = std::max(height, 1);
    if (c.m_initializeSurfaceRaised) {
        c.m_initializeSurfaceRaised = false;
        c.DoFinalizeSurface();
    }
    MakeViewSurface();
    c.m_initializeSurfaceRaised = true;
    c.DoInitializeSurface();
    return true;
}

void TDXDrawDriverBlt::Flip()
{
    TCustomDXDraw& c = m_control;
    TDirectDrawSurface* surface = c.m_surface;
    TPoint p = c.m_window ? c.m_window->clientToScreen(TPoint {}) : TPoint {};
    TRect dest;
    if (c.m_effectiveOptions & doStretch) {
        dest = TRect { p.X, p.Y, p.X + c.Width(), p.Y + c.Height() };
    } else {
        if (c.m_effectiveOptions & doCenter) {
            p.X += (c.Width() - surface->Width()) / 2;
            p.Y += (c.Height() - surface->Height()) / 2;
        }
        dest = TRect { p.X, p.Y, p.X + surface->Width(), p.Y + surface->Height() };
    }
    if (c.m_effectiveOptions & doWaitVBlank)
        c.m_directDraw->SetErrorCode(
            c.m_directDraw->DrawInterface()->waitForVerticalBlank(DDWAITVB_BLOCKBEGIN));
    DDBLTFX fx;
    fx.dwSize = kBltFxSize;
    const TRect source = surface->ClientRect();
    c.m_primary->Blt(&dest, &source, DDBLT_WAIT, fx, surface);
}
