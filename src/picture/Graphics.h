#pragma once

// The picture classes: the canvas that draws through a drawing context, the
// abstract graphic, the picture that chooses a graphic class by the file's
// extension through the process-wide file-format registry, and the bitmap
// class that reads "bmp" files.

#include "platform/Exception.h"
#include "platform/Gdi.h"
#include "platform/Stream.h"
#include "platform/Types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class EInvalidGraphic : public Exception {
    using Exception::Exception;
};

class EInvalidGraphicOperation : public Exception {
    using Exception::Exception;
};

namespace picture {
inline constexpr const char* kSUnknownExtension = "拡張子 .%s の画像形式は処理できません";
inline constexpr const char* kSInvalidBitmap = "ビットマップイメージが不正です";
inline constexpr const char* kSWin32Error = "Win32 Error.  Code: %d.\n%s";
} // namespace picture

class TGraphic;

// A drawing-context wrapper with a brush, a font, a pen and a copy mode. The
// changing notification runs before anything draws and whenever the context
// is asked for; the change notification after drawing.
class TCanvas {
public:
    struct TBrush { std::uint32_t Color = 0xFFFFFF; };
    struct TFont { std::uint32_t Color = 0x000000; };
    struct TPen { std::uint32_t Color = 0x000000; };

    TCanvas() = default;
    virtual ~TCanvas() = default;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The context, made by CreateHandle when there is none; raises
    // EInvalidOperation "Canvas に対する描画ができません" when none can be had.
    platform::HDC Handle();
    void SetHandle(platform::HDC handle); // not owned; null takes it away
    bool HandleAllocated() const { return m_handle != nullptr; }

    void DrawGraphic(std::int32_t X, std::int32_t Y, TGraphic* graphic);
    void StretchDraw(const TRect& rect, TGraphic* graphic);

    std::uint32_t CopyMode = platform::SRCCOPY;
    TBrush Brush;
    TFont Font;
    TPen Pen;
    std::function<void(TCanvas&)> OnChange;
    std::function<void(TCanvas&)> OnChanging;

    void Changing();
    void Changed();

protected:
    // Makes the drawing context; the base has none to make.
    virtual void CreateHandle() {}
    // Makes sure context, font, pen and brush are valid.
    void RequiredState();

private:
    platform::HDC m_handle = nullptr;
};

inline constexpr const char* kSNoCanvasHandle = "Canvas に対する描画ができません";

// A graphic class as the registry holds it: something that makes an
// instance, and its parent for "is this class or derived from it".
struct TGraphicClassInfo {
    const char* name;
    const TGraphicClassInfo* parent;
    std::unique_ptr<TGraphic> (*create)();
    bool InheritsFrom(const TGraphicClassInfo* other) const;
};
using TGraphicClass = const TGraphicClassInfo*;

class TGraphic {
public:
    TGraphic() = default;
    virtual ~TGraphic() = default;
    TGraphic(const TGraphic&) = delete;
    TGraphic& operator=(const TGraphic&) = delete;

    virtual TGraphicClass ClassType() const = 0;
    virtual void Changed(TGraphic* sender);
    virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;
    virtual bool Empty() const = 0;
    virtual std::int32_t Height() const = 0;
    virtual std::int32_t Width() const = 0;
    virtual platform::HPALETTE GetPalette() { return nullptr; }
    virtual bool Transparent() const { return m_transparent; }
    virtual void SetTransparent(bool value);
    virtual void LoadFromFile(const std::string& fileName);
    virtual void LoadFromStream(TStream& stream) = 0;

    bool Modified = false;
    bool PaletteModified = false;
    std::function<void(TGraphic&)> OnChange;
    std::function<void(TGraphic&)> OnProgress;

private:
    bool m_transparent = false;
};

// The picture: owns at most one graphic and loads files into a new one of the
// class that the file-format registry names for the file's extension.
class TPicture {
public:
    TPicture();
    ~TPicture();
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    // Replaces the graphic with one read from the file, or raises and keeps
    // the previous graphic.
    void LoadFromFile(const std::string& fileName);
    TGraphic* Graphic() const { return m_graphic.get(); }

    static void RegisterGraphicExtension(const std::string& extension, const std::string& description,
                                         TGraphicClass graphicClass);
    static void UnregisterGraphicClass(TGraphicClass graphicClass);

    std::function<void(TPicture&)> OnChange;

private:
    std::unique_ptr<TGraphic> m_graphic;
};
