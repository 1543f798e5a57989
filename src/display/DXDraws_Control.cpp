// The display control: set-up and tear-down of its objects, the can-draw
// test, presenting, restoring and sizing.

#include "display/DXDraws.h"

#include "display/DXConsts.h"

#include <exception>
#include <string>

using namespace platform;

namespace {

constexpr TDXDrawOptions kDefaultOptions
    = doAllowReboot | doWaitVBlank | doCenter | doRetainedMode | doHardware | doSelectDriver;

constexpr TDXDrawOptions without(TDXDrawOptions set, TDXDrawOptions members)
{
    return static_cast<TDXDrawOptions>(set & ~members);
}

// Clears a flag when the scope ends, whatever happens in it.
struct FlagReset {
    bool& flag;
    ~FlagReset() { flag = false; }
};

} // namespace

TCustomDXDraw::TCustomDXDraw()
{
    SetOptions(kDefaultOptions);
    const auto system = systemPalette();
    for (std::size_t i = 0; i < m_colorTable.size() && i < system.size(); ++i)
        m_colorTable[i] = RgbQuad { system[i].peBlue, system[i].peGreen, system[i].peRed, 0 };
    m_defaultColorTable = m_colorTable;
    SetBounds(0, 0, 100, 100);
}

TCustomDXDraw::~TCustomDXDraw()
{
    // A handler that raises while the control goes has nobody to report to.
    try {
        Finalize();
    } catch (...) {
    }
}

void TCustomDXDraw::DoFinalize()
{
    if (OnFinalize)
        OnFinalize(*this);
}
void TCustomDXDraw::DoFinalizeSurface()
{
    if (OnFinalizeSurface)
        OnFinalizeSurface(*this);
}
void TCustomDXDraw::DoInitialize()
{
    if (OnInitialize)
        OnInitialize(*this);
}
void TCustomDXDraw::DoInitializeSurface()
{
    if (OnInitializeSurface)
        OnInitializeSurface(*this);
}
void TCustomDXDraw::DoInitializing()
{
    if (OnInitializing)
        OnInitializing(*this);
}
void TCustomDXDraw::DoRestoreSurface()
{
    if (OnRestoreSurface)
        OnRestoreSurface(*this);
}

void TCustomDXDraw::SetOptions(TDXDrawOptions value)
{
    m_options = value;
    computeEffectiveOptions();
}

void TCustomDXDraw::computeEffectiveOptions()
{
    constexpr TDXDrawOptions k3DOnly = doRetainedMode | doHardware | doSelectDriver | doZBuffer;
    if (!m_initialized) {
        TDXDrawOptions opt = m_options;
        if (!(opt & doFullScreen))
            opt = without(opt, doNoWindowChange | doAllowReboot | doAllowPalette256 | doFlip);
        if (!(opt & do3D))
            opt = without(opt, k3DOnly);
        if (opt & doSystemMemory)
            opt = without(opt, doFlip);
        m_effectiveOptions = without(opt, doHardware);
        return;
    }
    constexpr TDXDrawOptions kFollowing = doWaitVBlank | doStretch | doCenter;
    TDXDrawOptions opt
        = static_cast<TDXDrawOptions>(without(m_effectiveOptions, kFollowing) | (m_options & kFollowing));
    if (!(opt & do3D))
        opt = without(opt, k3DOnly);
    m_effectiveOptions = opt;
}

std::int32_t TCustomDXDraw::SurfaceWidth() const
{
    return m_surface ? m_surface->Width() : m_surfaceWidth;
}
std::int32_t TCustomDXDraw::SurfaceHeight() const
{
    return m_surface ? m_surface->Height() : m_surfaceHeight;
}

void TCustomDXDraw::SetSurfaceWidth(std::int32_t value)
{
    if (Loading)
        m_surfaceWidth = value;
    else
        SetSize(value, SurfaceHeight());
}

void TCustomDXDraw::SetSurfaceHeight(std::int32_t value)
{
    if (Loading)
        m_surfaceHeight = value;
    else
        SetSize(SurfaceWidth(), value);
}

void TCustomDXDraw::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    if (AutoSize && !m_updating)
        SetSize(width, height);
}

void TCustomDXDraw::SetSize(std::int32_t width, std::int32_t height)
{
    if ((width == SurfaceWidth() && height == SurfaceHeight()) || m_updating)
        return;
    if (!m_initialized) {
        m_surfaceWidth = width;
        m_surfaceHeight = height;
        return;
    }
    try {
        m_driver->SetSize(width, height);
    } catch (...) {
        Finalize();
        throw;
    }
}

void TCustomDXDraw::SetWindowHandle(const HWND& window)
{
    m_window = window;
    if (m_initialized && !m_updating) {
        m_clipper->Handle(m_window);
        SetCooperativeLevel();
    }
}

void TCustomDXDraw::SetForm(const HWND& form)
{
    m_form = form;
}

void TCustomDXDraw::Loaded()
{
    Loading = false;
    if (AutoSize) {
        m_surfaceWidth = m_width;
        m_surfaceHeight = m_height;
    }
    if (AutoInitialize && !m_form)
        Initialize();
}

void TCustomDXDraw::FormShown()
{
    if (AutoInitialize && !m_initializeAttempted)
        Initialize();
}

void TCustomDXDraw::FormDestroying()
{
    Finalize();
}

void TCustomDXDraw::SetCooperativeLevel()
{
    if (!m_directDraw)
        return;
    std::uint32_t flags = DDSCL_NORMAL;
    if (m_effectiveOptions & doFullScreen) {
        flags = DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWMODEX;
        if (m_effectiveOptions & doNoWindowChange)
            flags |= DDSCL_NOWINDOWCHANGES;
        if (m_effectiveOptions & doAllowReboot)
            flags |= DDSCL_ALLOWREBOOT;
    }
    const HWND& window = m_form ? m_form : m_window;
    m_directDraw->SetErrorCode(m_directDraw->DrawInterface()->setCooperativeLevel(window, flags));
}

void TCustomDXDraw::Initialize()
{
    m_initializeAttempted = true;
    Finalize();
    if (!m_form)
        throw EDXDrawError(dxconsts::kSFormNotFound);
    try {
        DoInitializing();
        m_updating = true;
        FlagReset updating { m_updating };
        m_initializeStarted = true;
        m_driver = std::make_unique<TDXDrawDriverBlt>(*this);
        SetCooperativeLevel();
        // This display keeps the desktop's mode: full screen cannot be had.
        if (m_effectiveOptions & doFullScreen)
            throw EDXDrawError(format(dxconsts::kSDisplayModeChange,
                { std::to_string(Display.Width), std::to_string(Display.Height),
                    std::to_string(Display.BitCount) }));
        if (AutoSize) {
            m_surfaceWidth = m_width;
            m_surfaceHeight = m_height;
        }
        m_driver->InitializeSurfaces();
    } catch (...) {
        Finalize();
        throw;
    }
    m_initialized = true;
    m_initializeRaised = true;
    DoInitialize();
    m_initializeSurfaceRaised = true;
    DoInitializeSurface();
    Restore();
}

void TCustomDXDraw::Finalize()
{
    if (!m_initializeStarted)
        return;
    m_surfaceWidth = SurfaceWidth();
    m_surfaceHeight = SurfaceHeight();
    m_updating = true;
    std::exception_ptr failure;
    try {
        if (m_initializeSurfaceRaised) {
            m_initializeSurfaceRaised = false;
            DoFinalizeSurface();
        }
    } catch (...) {
        failure = std::current_exception();
    }
    try {
        if (m_initializeRaised) {
            m_initializeRaised = false;
            DoFinalize();
        }
    } catch (...) {
        failure = std::current_exception();
    }
    m_initializeStarted = false;
    m_initialized = false;
    computeEffectiveOptions();
    m_driver.reset();
    m_updating = false;
    if (failure)
        std::rethrow_exception(failure);
}

bool TCustomDXDraw::lostCheck()
{
    if (!m_initialized || m_updating || !m_primary || !m_primary->SurfaceInterface())
        return false;
    if (m_primary->SurfaceInterface()->isLost() != DDERR_SURFACELOST)
        return true;
    Restore();
    return m_primary->SurfaceInterface() && m_primary->SurfaceInterface()->isLost() == 0;
}

bool TCustomDXDraw::CanDraw()
{
    return m_initialized && !m_updating && m_surface && m_surface->SurfaceInterface() && lostCheck();
}

void TCustomDXDraw::Flip()
{
    if (m_initialized && !m_updating && lostCheck())
        m_driver->Flip();
}

void TCustomDXDraw::Restore()
{
    if (!m_initialized || m_updating)
        return;
    m_updating = true;
    FlagReset updating { m_updating };
    if (!m_driver->RestoreSurfaces())
        return;
    m_primary->Palette(m_palette);
    m_surface->Palette(m_palette);
    SetColorTable(m_defaultColorTable);
    DoRestoreSurface();
    SetColorTable(m_colorTable);
}

std::vector<PaletteEntry> TCustomDXDraw::paletteEntries(const TColorTable& table) const
{
    std::vector<PaletteEntry> entries(table.size());
    for (std::size_t i = 0; i < table.size(); ++i)
        entries[i] = PaletteEntry { table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0 };
    // Without the whole palette the window shares the screen with others,
    // whose static colours must stay where they are.
    if (!(m_effectiveOptions & doAllowPalette256)) {
        const auto system = systemPalette();
        for (std::size_t i = 0; i < 10 && i < system.size(); ++i)
            entries[i] = system[i];
        for (std::size_t i = 246; i < 256 && i < system.size(); ++i)
            entries[i] = system[i];
    }
    for (PaletteEntry& entry : entries)
        entry.peFlags = 0x40;
    return entries;
}

void TCustomDXDraw::SetColorTable(const TColorTable& table)
{
    if (m_initialized && m_palette)
        m_palette->SetEntries(0, paletteEntries(table));
}

bool TCustomDXDraw::Paint()
{
    const TDXDrawOptions previous = m_effectiveOptions;
    m_effectiveOptions = without(m_effectiveOptions, doWaitVBlank);
    try {
        Flip();
    } catch (...) {
        m_effectiveOptions = previous;
        throw;
    }
    m_effectiveOptions = previous;
    return m_form && m_initialized && m_surface
        && (m_surface->SurfaceDesc().ddsCaps.dwCaps & DDSCAPS_VIDEOMEMORY);
}
