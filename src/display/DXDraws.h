#pragma once

// The wrapper objects of the 2D display (display object, surfaces, the canvas
// that draws on a surface, clipper, palette) and the display control that
// sets them up inside a window and presents the view surface.
//
// Ownership follows the system's fixed rule: every wrapper object registers
// with the TDirectDraw it was made on, and a TDirectDraw deletes whatever is
// still registered when it goes. Wrapper objects are therefore made with
// `new` and freed with `delete` by their owner, always before their
// TDirectDraw.

#include "display/DXClass.h"
#include "picture/Graphics.h"
#include "platform/SoftDisplay.h"
#include "platform/Types.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class EDirectDrawError : public EDirectXError {
    using EDirectXError::EDirectXError;
};
class EDirectDrawSurfaceError : public EDirectDrawError {
    using EDirectDrawError::EDirectDrawError;
};
class EDirectDrawClipperError : public EDirectDrawError {
    using EDirectDrawError::EDirectDrawError;
};
class EDirectDrawPaletteError : public EDirectDrawError {
    using EDirectDrawError::EDirectDrawError;
};
class EDXDrawError : public Exception {
    using Exception::Exception;
};

class TDirectDrawSurface;
class TDirectDrawClipper;
class TDirectDrawPalette;

using IDirectDraw = std::shared_ptr<platform::SoftDisplay>;
using IDirectDrawSurface = std::shared_ptr<platform::SoftSurface>;
using IDirectDrawClipper = std::shared_ptr<platform::SoftClipper>;
using IDirectDrawPalette = std::shared_ptr<platform::SoftPalette>;

class TDirectDraw : public TDirectX {
public:
    // Raises when the display object cannot be made (see DXConsts).
    explicit TDirectDraw(const platform::GUID* driverGuid = nullptr);
    // Deletes the surfaces, palettes and clippers still registered, the last
    // made first.
    ~TDirectDraw() override;

    // The display object; raises EDirectDrawError when there is none.
    const IDirectDraw& DrawInterface() const;

    platform::DDCAPS DriverCaps;
    platform::DDCAPS HELCaps;

    const std::vector<TDirectDrawSurface*>& Surfaces() const { return m_surfaces; }
    const std::vector<TDirectDrawPalette*>& Palettes() const { return m_palettes; }
    const std::vector<TDirectDrawClipper*>& Clippers() const { return m_clippers; }

private:
    friend class TDirectDrawSurface;
    friend class TDirectDrawClipper;
    friend class TDirectDrawPalette;

    IDirectDraw m_draw;
    IDirectDraw m_draw4;
    std::vector<TDirectDrawClipper*> m_clippers;
    std::vector<TDirectDrawPalette*> m_palettes;
    std::vector<TDirectDrawSurface*> m_surfaces;
};

// Draws on a surface through the surface's drawing context, which it asks
// for when drawing needs it and gives back with Release.
class TDirectDrawSurfaceCanvas : public TCanvas {
public:
    explicit TDirectDrawSurfaceCanvas(TDirectDrawSurface* surface);
    ~TDirectDrawSurfaceCanvas() override;
    void Release();

protected:
    void CreateHandle() override;

private:
    TDirectDrawSurface* m_surface;
    platform::HDC m_dc = nullptr;
};

// The window's display keeps its surfaces in 32-bit pixels; a sheet of this
// size that its surface could not hold raises what making that surface
// raises (EDirectDrawSurfaceError, "サーフェース を作成できません"), so that a
// check without a display reports what the window would show.
void requireSheetSurfaceSize(std::int32_t width, std::int32_t height);

class TDirectDrawSurface : public TDirectX {
public:
    explicit TDirectDrawSurface(TDirectDraw* directDraw);
    ~TDirectDrawSurface() override;

    TDirectDraw& DirectDraw() const { return *m_directDraw; }
    const IDirectDrawSurface& SurfaceInterface() const { return m_surface; }
    // Raises EDirectDrawSurfaceError when the surface is empty.
    const IDirectDrawSurface& RequiredSurfaceInterface() const;
    void AttachSurface(const IDirectDrawSurface& surface);
    bool CreateSurface(const platform::DDSURFACEDESC& desc);

    // A width or height of 0 or less empties the surface; raises when no
    // surface can be made in either memory.
    void SetSize(std::int32_t width, std::int32_t height);
    std::int32_t Width() const { return static_cast<std::int32_t>(m_desc.dwWidth); }
    std::int32_t Height() const { return static_cast<std::int32_t>(m_desc.dwHeight); }
    TRect ClientRect() const { return TRect { 0, 0, Width(), Height() }; }
    const platform::DDSURFACEDESC& SurfaceDesc() const { return m_desc; }
    bool SystemMemory() const { return m_systemMemory; }

    TDirectDrawSurfaceCanvas& Canvas();

    void LoadFromFile(const std::string& fileName);
    void LoadFromGraphic(TGraphic* graphic);
    void LoadFromGraphicRect(TGraphic* graphic, std::int32_t width, std::int32_t height, const TRect& rect);

    bool Lock(const TRect* rect, platform::DDSURFACEDESC& desc);
    void Unlock();
    std::int32_t LockCount() const { return m_lockCount; }
    const platform::DDSURFACEDESC& LockSurfaceDesc() const { return m_lockDesc; }

    // The raw stored value; 0 outside the surface or when it cannot be read.
    std::uint32_t Pixels(std::int32_t X, std::int32_t Y);

    void SetColorKey(std::uint32_t flags, const platform::DDCOLORKEY& key);
    // Copies that ask for the source key leave out pixels of exactly this
    // raw value.
    void TransparentColor(std::uint32_t value);

    bool Blt(const TRect* destRect, const TRect* sourceRect, std::uint32_t flags, const platform::DDBLTFX& fx,
        TDirectDrawSurface* source);
    // Unclipped: refused (false, nothing drawn) when a rectangle is empty or
    // leaves its surface.
    bool BltFast(std::int32_t X, std::int32_t Y, const TRect& sourceRect, std::uint32_t flags,
        TDirectDrawSurface* source);
    bool Fill(std::uint32_t value);
    bool Restore();
    void Clipper(TDirectDrawClipper* clipper);
    void Palette(TDirectDrawPalette* palette);

private:
    friend class TDirectDrawSurfaceCanvas;

    void drawGraphic(TGraphic* graphic, std::int32_t width, std::int32_t height, const TRect& rect);

    std::unique_ptr<TDirectDrawSurfaceCanvas> m_canvas;
    TDirectDraw* m_directDraw;
    IDirectDrawSurface m_surface;
    bool m_systemMemory = false;
    platform::DDSURFACEDESC m_desc;
    platform::DDSURFACEDESC m_lockDesc;
    std::int32_t m_lockCount = 0;
};

class TDirectDrawClipper : public TDirectX {
public:
    // Raises EDirectDrawClipperError when the display makes no clipper.
    explicit TDirectDrawClipper(TDirectDraw* directDraw);
    ~TDirectDrawClipper() override;

    // Binds the clipper to a window: copies through it touch only the
    // window's visible region.
    void Handle(const platform::HWND& window);
    const IDirectDrawClipper& ClipperInterface() const { return m_clipper; }

private:
    TDirectDraw* m_directDraw;
    IDirectDrawClipper m_clipper;
};

class TDirectDrawPalette : public TDirectX {
public:
    explicit TDirectDrawPalette(TDirectDraw* directDraw);
    ~TDirectDrawPalette() override;

    bool CreatePalette(std::uint32_t caps, std::span<const platform::PaletteEntry> entries);
    bool SetEntries(std::uint32_t startIndex, std::span<const platform::PaletteEntry> entries);
    const IDirectDrawPalette& PaletteInterface() const { return m_palette; }

private:
    TDirectDraw* m_directDraw;
    IDirectDrawPalette m_palette;
};

// ---- the display control -------------------------------------------------

using TDXDrawOptions = std::uint16_t;
inline constexpr TDXDrawOptions doFullScreen = 0x0001;
inline constexpr TDXDrawOptions doNoWindowChange = 0x0002;
inline constexpr TDXDrawOptions doAllowReboot = 0x0004;
inline constexpr TDXDrawOptions doWaitVBlank = 0x0008;
inline constexpr TDXDrawOptions doAllowPalette256 = 0x0010;
inline constexpr TDXDrawOptions doSystemMemory = 0x0020;
inline constexpr TDXDrawOptions doStretch = 0x0040;
inline constexpr TDXDrawOptions doCenter = 0x0080;
inline constexpr TDXDrawOptions doFlip = 0x0100;
inline constexpr TDXDrawOptions do3D = 0x0200;
inline constexpr TDXDrawOptions doRetainedMode = 0x0400;
inline constexpr TDXDrawOptions doHardware = 0x0800;
inline constexpr TDXDrawOptions doSelectDriver = 0x1000;
inline constexpr TDXDrawOptions doZBuffer = 0x2000;

class TCustomDXDraw;
using TDXDrawNotifyEvent = std::function<void(TCustomDXDraw& Sender)>;
using TColorTable = std::array<platform::RgbQuad, 256>;

// How the control presents its view surface.
class TDXDrawDriver {
public:
    explicit TDXDrawDriver(TCustomDXDraw& control);
    // Frees the surfaces, then the control's DirectDraw.
    virtual ~TDXDrawDriver();
    TDXDrawDriver(const TDXDrawDriver&) = delete;
    TDXDrawDriver& operator=(const TDXDrawDriver&) = delete;

    virtual void FinalizeSurfaces();
    virtual void Flip() { }
    virtual void InitializeSurfaces() { }
    virtual bool SetSize(std::int32_t /*width*/, std::int32_t /*height*/) { return false; }
    bool RestoreSurfaces();

protected:
    TCustomDXDraw& m_control;
};

// Presents in a window: copies the view surface onto the primary surface,
// whose clipper keeps the copy inside the control's window.
class TDXDrawDriverBlt : public TDXDrawDriver {
public:
    explicit TDXDrawDriverBlt(TCustomDXDraw& control);
    void Flip() override;
    void InitializeSurfaces() override;
    bool SetSize(std::int32_t width, std::int32_t height) override;
    void MakeViewSurface();
};

// The full-screen settings; only used with doFullScreen, which this system
// never sets.
struct TDXDrawDisplay {
    std::int32_t BitCount = 8;
    std::int32_t Height = 480;
    std::int32_t Width = 640;
    bool FixedBitCount = true;
    bool FixedRatio = true;
    bool FixedSize = false;
};

// The Qt-free core of the display control. The window side owns it and
// reports what happens to the windows: the control's own window and its
// bounds, the form it sits on, the form's first show and its destruction,
// painting. The control's pixels on screen are those of its window
// (`platform::SoftWindow::pixels()`), which presenting fills.
class TCustomDXDraw {
public:
    TCustomDXDraw();
    virtual ~TCustomDXDraw();
    TCustomDXDraw(const TCustomDXDraw&) = delete;
    TCustomDXDraw& operator=(const TCustomDXDraw&) = delete;

    // ---- what the window side reports --------------------------------
    // The control's own window; also what its clipper is bound to. Made
    // anew: the clipper is bound to the new one.
    void SetWindowHandle(const platform::HWND& window);
    const platform::HWND& WindowHandle() const { return m_window; }
    // The form the control sits on (found when the control gets a parent),
    // or none.
    void SetForm(const platform::HWND& form);
    // The form's properties have been read.
    void Loaded();
    // The form's window is shown: sets up the first time, never again.
    void FormShown();
    // The form's window is about to go, before its children.
    void FormDestroying();
    void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);
    // The control's window needs painting: presents the last view again.
    // Answers whether the window side should invalidate the parent window.
    bool Paint();

    // ---- behaviour ----------------------------------------------------
    void Initialize();
    void Finalize();
    bool CanDraw();
    void Flip();
    void Restore();
    void SetSize(std::int32_t width, std::int32_t height);
    void SetCooperativeLevel();
    void SetColorTable(const TColorTable& table);

    TDirectDraw* DirectDraw() const { return m_directDraw; }
    TDirectDrawSurface* Primary() const { return m_primary; }
    TDirectDrawSurface* Surface() const { return m_surface; }
    TDirectDrawClipper* Clipper() const { return m_clipper; }
    TDirectDrawPalette* Palette() const { return m_palette; }
    TDXDrawDriver* Driver() const { return m_driver.get(); }
    bool Initialized() const { return m_initialized; }
    bool Updating() const { return m_updating; }

    TDXDrawOptions Options() const { return m_options; }
    void SetOptions(TDXDrawOptions value);
    TDXDrawOptions EffectiveOptions() const { return m_effectiveOptions; }
    bool AutoInitialize = true;
    bool AutoSize = true;
    TDXDrawDisplay Display;

    std::int32_t Left() const { return m_left; }
    std::int32_t Top() const { return m_top; }
    std::int32_t Width() const { return m_width; }
    std::int32_t Height() const { return m_height; }
    std::int32_t SurfaceWidth() const;
    std::int32_t SurfaceHeight() const;
    void SetSurfaceWidth(std::int32_t value);
    void SetSurfaceHeight(std::int32_t value);
    // While the form's properties are read, surface sizes are only stored.
    bool Loading = false;

    const TColorTable& ColorTable() const { return m_colorTable; }
    const TColorTable& DefaultColorTable() const { return m_defaultColorTable; }

    TDXDrawNotifyEvent OnFinalize;
    TDXDrawNotifyEvent OnFinalizeSurface;
    TDXDrawNotifyEvent OnInitialize;
    TDXDrawNotifyEvent OnInitializeSurface;
    TDXDrawNotifyEvent OnInitializing;
    TDXDrawNotifyEvent OnRestoreSurface;

protected:
    virtual void DoFinalize();
    virtual void DoFinalizeSurface();
    virtual void DoInitialize();
    virtual void DoInitializeSurface();
    virtual void DoInitializing();
    virtual void DoRestoreSurface();

private:
    friend class TDXDrawDriver;
    friend class TDXDrawDriverBlt;

    bool lostCheck();
    void computeEffectiveOptions();
    std::vector<platform::PaletteEntry> paletteEntries(const TColorTable& table) const;

    bool m_initializeRaised = false;
    bool m_initializeSurfaceRaised = false;
    platform::HWND m_form;
    platform::HWND m_window;
    bool m_initialized = false;
    bool m_initializeAttempted = false;
    bool m_initializeStarted = false;
    bool m_updating = false;
    TDXDrawOptions m_effectiveOptions = 0;
    TDXDrawOptions m_options = 0;
    std::unique_ptr<TDXDrawDriver> m_driver;
    TDirectDraw* m_directDraw = nullptr;
    TDirectDrawClipper* m_clipper = nullptr;
    TDirectDrawPalette* m_palette = nullptr;
    TDirectDrawSurface* m_primary = nullptr;
    TDirectDrawSurface* m_surface = nullptr;
    std::int32_t m_surfaceWidth = 0;
    std::int32_t m_surfaceHeight = 0;
    TColorTable m_colorTable {};
    TColorTable m_defaultColorTable {};
    std::int32_t m_left = 0;
    std::int32_t m_top = 0;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
};

// The control as the form places it; it only publishes what the core has.
class TDXDraw : public TCustomDXDraw {
public:
    using TCustomDXDraw::TCustomDXDraw;
};
