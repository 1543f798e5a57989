#pragma once

// The 2D display of the platform, done in software: a display object that
// makes surfaces in the display's pixel format, surfaces with lock, source
// colour key, an unclipped copy to a point, a clipped rectangle copy, a
// colour fill and drawing contexts over their pixel memory, clippers bound to
// windows, and palettes held as data.
//
// Every call answers with a result code: 0 is success, DDERR_SURFACELOST
// reports lost surface memory, every other refusal has a code of its own
// below. A refused call changes nothing.
//
// The screen has no pixel memory of its own. The primary surface stands for
// it, and a copy onto the primary lands in the windows that the primary's
// clipper is bound to: each window keeps the pixels shown in its client area,
// and the window side puts them on screen.

#include "platform/Gdi.h"
#include "platform/Types.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace platform {

using HRESULT = std::int32_t;

inline constexpr HRESULT DD_OK = 0;
inline constexpr HRESULT DDERR_SURFACELOST = static_cast<HRESULT>(0x887601C2u);
// Refusals of this display; the values are its own.
inline constexpr HRESULT kErrInvalidParams = static_cast<HRESULT>(0x88760F01u);
inline constexpr HRESULT kErrInvalidRect = static_cast<HRESULT>(0x88760F02u);
inline constexpr HRESULT kErrOutOfVideoMemory = static_cast<HRESULT>(0x88760F03u);
inline constexpr HRESULT kErrOutOfMemory = static_cast<HRESULT>(0x88760F04u);
inline constexpr HRESULT kErrSurfaceBusy = static_cast<HRESULT>(0x88760F05u);
inline constexpr HRESULT kErrNoColorKey = static_cast<HRESULT>(0x88760F06u);
inline constexpr HRESULT kErrUnsupported = static_cast<HRESULT>(0x88760F07u);
inline constexpr HRESULT kErrNoPaletteFormat = static_cast<HRESULT>(0x88760F08u);
inline constexpr HRESULT kErrNotLocked = static_cast<HRESULT>(0x88760F09u);
inline constexpr HRESULT kErrRestoreRefused = static_cast<HRESULT>(0x88760F0Au);
inline constexpr HRESULT kErrNoDisplay = static_cast<HRESULT>(0x88760F0Bu);
inline constexpr HRESULT kErrNoInterface = static_cast<HRESULT>(0x88760F0Cu);
inline constexpr HRESULT kErrFormatMismatch = static_cast<HRESULT>(0x88760F0Du);
inline constexpr HRESULT kErrNoClipper = static_cast<HRESULT>(0x88760F0Eu);
inline constexpr HRESULT kErrNotOnPrimary = static_cast<HRESULT>(0x88760F0Fu);

// Description flags.
inline constexpr std::uint32_t DDSD_CAPS = 0x1;
inline constexpr std::uint32_t DDSD_HEIGHT = 0x2;
inline constexpr std::uint32_t DDSD_WIDTH = 0x4;
inline constexpr std::uint32_t DDSD_PITCH = 0x8;
inline constexpr std::uint32_t DDSD_PIXELFORMAT = 0x1000;
inline constexpr std::uint32_t DDSD_LPSURFACE = 0x800;

// Surface capabilities.
inline constexpr std::uint32_t DDSCAPS_OFFSCREENPLAIN = 0x40;
inline constexpr std::uint32_t DDSCAPS_PRIMARYSURFACE = 0x200;
inline constexpr std::uint32_t DDSCAPS_SYSTEMMEMORY = 0x800;
inline constexpr std::uint32_t DDSCAPS_3DDEVICE = 0x2000;
inline constexpr std::uint32_t DDSCAPS_VIDEOMEMORY = 0x4000;

inline constexpr std::uint32_t DDPF_RGB = 0x40;
inline constexpr std::uint32_t DDPF_PALETTEINDEXED8 = 0x20;

inline constexpr std::uint32_t DDBLT_COLORFILL = 0x400;
inline constexpr std::uint32_t DDBLT_WAIT = 0x1000000;
inline constexpr std::uint32_t DDBLTFAST_NOCOLORKEY = 0x0;
inline constexpr std::uint32_t DDBLTFAST_SRCCOLORKEY = 0x1;
inline constexpr std::uint32_t DDBLTFAST_WAIT = 0x10;
inline constexpr std::uint32_t DDCKEY_SRCBLT = 0x8;
inline constexpr std::uint32_t DDLOCK_WAIT = 0x1;

inline constexpr std::uint32_t DDSCL_ALLOWREBOOT = 0x2;
inline constexpr std::uint32_t DDSCL_NOWINDOWCHANGES = 0x4;
inline constexpr std::uint32_t DDSCL_NORMAL = 0x8;
inline constexpr std::uint32_t DDSCL_EXCLUSIVE = 0x10;
inline constexpr std::uint32_t DDSCL_ALLOWMODEX = 0x40;
inline constexpr std::uint32_t DDSCL_FULLSCREEN = 0x1;
inline constexpr std::uint32_t DDWAITVB_BLOCKBEGIN = 0x1;

inline constexpr std::uint32_t DDPCAPS_8BIT = 0x4;
inline constexpr std::uint32_t DDPCAPS_INITIALIZE = 0x8;
inline constexpr std::uint32_t DDPCAPS_ALLOW256 = 0x40;

inline constexpr std::uint32_t kSurfaceDescSize = 108;
inline constexpr std::uint32_t kCapsSize = 380;
inline constexpr std::uint32_t kBltFxSize = 100;

struct GUID {
    std::uint32_t Data1 = 0;
    std::uint16_t Data2 = 0;
    std::uint16_t Data3 = 0;
    std::array<std::uint8_t, 8> Data4 {};
};

struct DDPIXELFORMAT {
    std::uint32_t dwSize = 0;
    std::uint32_t dwFlags = 0;
    std::uint32_t dwRGBBitCount = 0;
    std::uint32_t dwRBitMask = 0;
    std::uint32_t dwGBitMask = 0;
    std::uint32_t dwBBitMask = 0;
    bool operator==(const DDPIXELFORMAT&) const = default;
};

struct DDSCAPS {
    std::uint32_t dwCaps = 0;
    bool operator==(const DDSCAPS&) const = default;
};

struct DDSURFACEDESC {
    std::uint32_t dwSize = 0;
    std::uint32_t dwFlags = 0;
    std::uint32_t dwHeight = 0;
    std::uint32_t dwWidth = 0;
    std::int32_t lPitch = 0;
    std::uint8_t* lpSurface = nullptr;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS ddsCaps;
    bool operator==(const DDSURFACEDESC&) const = default;
};

struct DDCOLORKEY {
    std::uint32_t dwColorSpaceLowValue = 0;
    std::uint32_t dwColorSpaceHighValue = 0;
};

struct DDBLTFX {
    std::uint32_t dwSize = 0;
    std::uint32_t dwDDFX = 0;
    std::uint32_t dwFillColor = 0;
};

struct DDCAPS {
    std::uint32_t dwSize = 0;
    std::uint32_t dwCaps = 0;
    std::uint32_t dwVidMemTotal = 0;
    std::uint32_t dwVidMemFree = 0;
};

// A window as the display sees it: where its client area lies on the screen,
// which parts of it are visible, and the pixels shown there. The window side
// keeps these up to date and paints `pixels()`; `OnPresented` tells it that a
// copy has changed them.
class SoftWindow {
public:
    SoftWindow(std::int32_t width, std::int32_t height, const PixelFormat& format = screenFormat());

    // Keeps the pixels that still fit; a new area is black. The visible
    // region becomes the whole client area.
    void setGeometry(TPoint screenOrigin, std::int32_t width, std::int32_t height);
    // Screen rectangles; a copy draws only inside them.
    void setVisibleRegion(std::vector<TRect> rects);

    TPoint clientToScreen(TPoint client) const;
    TPoint screenOrigin() const { return m_origin; }
    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    const std::vector<TRect>& visibleRegion() const { return m_visible; }
    // Null while the client area is empty.
    const HBITMAP& pixels() const { return m_pixels; }

    std::function<void()> OnPresented;

private:
    PixelFormat m_format;
    TPoint m_origin;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::vector<TRect> m_visible;
    HBITMAP m_pixels;
};
using HWND = std::shared_ptr<SoftWindow>;

class SoftDisplay;

// Limits copies onto a surface: to the visible region of a window, or to a
// list of rectangles. Coordinates are those of the surface copied to (the
// screen for the primary).
class SoftClipper {
public:
    HRESULT setHWnd(std::uint32_t flags, const HWND& window);
    HRESULT setClipList(std::vector<TRect> rects);
    std::shared_ptr<SoftWindow> window() const { return m_window.lock(); }
    bool boundToWindow() const { return m_bound; }
    // The rectangles that copies may touch now; a window that has gone
    // leaves none.
    std::vector<TRect> clipRects() const;

private:
    std::weak_ptr<SoftWindow> m_window;
    bool m_bound = false;
    std::vector<TRect> m_rects;
};

// 256 colours held as data; an 8-bit surface draws with them.
class SoftPalette {
public:
    explicit SoftPalette(std::uint32_t caps)
        : m_caps(caps)
    {
    }
    HRESULT setEntries(std::uint32_t flags, std::uint32_t first, std::span<const PaletteEntry> entries);
    std::uint32_t caps() const { return m_caps; }
    const std::array<PaletteEntry, 256>& entries() const { return m_entries; }

private:
    std::uint32_t m_caps;
    std::array<PaletteEntry, 256> m_entries {};
};

struct SoftDisplayState;

class SoftSurface {
public:
    ~SoftSurface();
    SoftSurface(const SoftSurface&) = delete;
    SoftSurface& operator=(const SoftSurface&) = delete;

    HRESULT getSurfaceDesc(DDSURFACEDESC& desc) const;
    bool isPrimary() const { return m_primary; }
    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    const PixelFormat& format() const { return m_format; }

    // Locks are exclusive: a second lock before unlock is refused. A rect of
    // null locks the whole surface.
    HRESULT lock(const TRect* rect, DDSURFACEDESC& desc, std::uint32_t flags);
    HRESULT unlock(const std::uint8_t* lockedMemory);

    // The drawing context has this surface's pixel memory selected (top-down,
    // in the surface's format); one at a time, and it counts as a lock.
    HRESULT getDC(HDC& dc);
    HRESULT releaseDC(HDC dc);

    // DDCKEY_SRCBLT with a single raw value; a null key removes it.
    HRESULT setColorKey(std::uint32_t flags, const DDCOLORKEY* key);
    bool hasSourceKey() const { return m_hasKey; }
    std::uint32_t sourceKey() const { return m_key; }

    // Unclipped copy of the source rectangle (null: the whole source) to
    // (x, y); refused when either rectangle is empty or leaves its surface.
    HRESULT bltFast(
        std::int32_t x, std::int32_t y, SoftSurface* source, const TRect* sourceRect, std::uint32_t flags);
    // Rectangle copy (stretching when the sizes differ) or, with
    // DDBLT_COLORFILL, a fill with fx->dwFillColor. Null rectangles mean the
    // whole surface. An attached clipper limits the destination; without one
    // the destination must lie within the surface.
    HRESULT blt(const TRect* destRect, SoftSurface* source, const TRect* sourceRect, std::uint32_t flags,
        const DDBLTFX* fx);

    HRESULT setClipper(const std::shared_ptr<SoftClipper>& clipper);
    HRESULT setPalette(const std::shared_ptr<SoftPalette>& palette);
    const std::shared_ptr<SoftClipper>& clipper() const { return m_clipper; }
    const std::shared_ptr<SoftPalette>& palette() const { return m_palette; }

    HRESULT isLost() const { return m_lost ? DDERR_SURFACELOST : DD_OK; }
    HRESULT restore();

    // Takes the memory away as a display mode change would: the contents are
    // scrambled and every call but isLost and restore is refused.
    void loseForTesting();

private:
    friend class SoftDisplay;
    SoftSurface() = default;

    struct Target;

    HRESULT checkUsable() const;
    HRESULT checkSource(const SoftSurface* source) const;
    HRESULT targetsFor(const TRect& dest, std::vector<Target>& targets) const;
    void fillTargets(const std::vector<Target>& targets, const TRect& dest, std::uint32_t value);
    void copyTargets(
        const std::vector<Target>& targets, const TRect& dest, SoftSurface& source, const TRect& from);

    std::shared_ptr<SoftDisplayState> m_state;
    bool m_primary = false;
    std::uint32_t m_caps = 0;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    PixelFormat m_format;
    HBITMAP m_pixels; // null for the primary
    std::uint64_t m_bytes = 0; // memory charged to its pool
    bool m_locked = false;
    std::unique_ptr<DeviceContext> m_dc;
    bool m_hasKey = false;
    std::uint32_t m_key = 0;
    std::shared_ptr<SoftClipper> m_clipper;
    std::shared_ptr<SoftPalette> m_palette;
    bool m_lost = false;
};

// Knobs that let tests drive the display into the failures that real
// hardware produces: no display at all, memory running out, lost surfaces
// that will not come back.
struct SoftDisplayTestHooks {
    HRESULT createResult = DD_OK; // what DirectDrawCreate answers
    bool withoutVersion6 = false; // the object lacks the newer interface
    std::uint64_t videoMemoryBytes = UINT64_MAX;
    std::uint64_t systemMemoryBytes = UINT64_MAX;
    bool refusePrimary = false;
    bool refuseClipper = false;
    bool refuseRestore = false;
};
SoftDisplayTestHooks& softDisplayTestHooks();
void resetSoftDisplayTestHooks();

class SoftDisplay : public std::enable_shared_from_this<SoftDisplay> {
public:
    explicit SoftDisplay(const PixelFormat& format = screenFormat());
    ~SoftDisplay();

    const PixelFormat& format() const;
    // The newer interface of the same object; null when the hooks hide it.
    std::shared_ptr<SoftDisplay> queryVersion6();
    HRESULT getCaps(DDCAPS* driverCaps, DDCAPS* helCaps) const;
    HRESULT setCooperativeLevel(const HWND& window, std::uint32_t flags);
    HRESULT waitForVerticalBlank(std::uint32_t flags);

    // A primary (DDSCAPS_PRIMARYSURFACE, screen-sized) or an off-screen plain
    // surface of the asked width and height, in the display's format unless
    // DDSD_PIXELFORMAT names another. Memory: DDSCAPS_SYSTEMMEMORY asks for
    // system memory, anything else for video memory, refused when that has
    // run out.
    HRESULT createSurface(const DDSURFACEDESC& desc, std::shared_ptr<SoftSurface>& surface);
    HRESULT createClipper(std::uint32_t flags, std::shared_ptr<SoftClipper>& clipper);
    HRESULT createPalette(
        std::uint32_t caps, std::span<const PaletteEntry> entries, std::shared_ptr<SoftPalette>& palette);

    std::int32_t screenWidth() const;
    std::int32_t screenHeight() const;
    std::uint32_t cooperativeLevel() const { return m_level; }
    std::uint64_t videoMemoryUsed() const;
    std::uint64_t systemMemoryUsed() const;

    // Every live surface of this display loses its memory.
    void loseSurfacesForTesting();

private:
    std::shared_ptr<SoftDisplayState> m_state;
    std::uint32_t m_level = 0;
};

// The entry point that "DDraw.dll" offers under "DirectDrawCreate".
// A driver GUID other than none names no driver of this display and is
// refused.
using DirectDrawCreateProc
    = HRESULT (*)(const GUID* driverGuid, std::shared_ptr<SoftDisplay>* display, void* outer);
HRESULT DirectDrawCreate(const GUID* driverGuid, std::shared_ptr<SoftDisplay>* display, void* outer);

} // namespace platform
