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
#include <optional>
#include <string>
#include <vector>

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
    struct TBrush {
        std::uint32_t Color = 0xFFFFFF;
    };
    struct TFont {
        std::uint32_t Color = 0x000000;
    };
    struct TPen {
        std::uint32_t Color = 0x000000;
    };

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
    virtual void CreateHandle() { }
    // Makes sure context, font, pen and brush are valid.
    void RequiredState();

private:
    // The bitmap draws with the context it has made sure of, without a
    // second changing notification.
    friend class TBitmap;

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

struct TGraphicSize {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
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
    // The width and height of the graphic that LoadFromFile would make of
    // the file, raising what it would raise; a bitmap is read no further
    // than its headers when its pixels can change neither.
    static TGraphicSize FileSize(const std::string& fileName);

    static void RegisterGraphicExtension(
        const std::string& extension, const std::string& description, TGraphicClass graphicClass);
    static void UnregisterGraphicClass(TGraphicClass graphicClass);

    std::function<void(TPicture&)> OnChange;

private:
    std::unique_ptr<TGraphic> m_graphic;
};

// The file-format registry: which graphic class reads which extension. One
// per process, made with the program's entries on first use.
class TFileFormatsList {
public:
    struct Entry {
        TGraphicClass GraphicClass;
        std::string Extension; // lower-case, without the dot
        std::string Description;
        int DescriptionId;
    };

    TFileFormatsList();
    void Add(const std::string& extension, const std::string& description, int descriptionId,
        TGraphicClass graphicClass);
    // Drops every entry whose class is the given one or derives from it.
    void Remove(TGraphicClass graphicClass);
    // The latest registration for the extension, letters compared without
    // regard to case; null when there is none.
    TGraphicClass FindGraphicClass(const std::string& extension) const;
    const std::vector<Entry>& Entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
};

TFileFormatsList& GetFileFormats();

// The extension of a path as written (without the dot), or empty when the
// last ".", "\", ":" or "/" of the path is not a dot.
std::string GraphicExtension(const std::string& fileName);

class TBitmap;

// The pixel memory description of a bitmap image, as the platform reports it.
struct TBitmapDescription {
    std::int32_t bmWidth = 0;
    std::int32_t bmHeight = 0;
    std::size_t bmWidthBytes = 0;
    std::uint16_t bmPlanes = 0;
    std::uint16_t bmBitsPixel = 0;
    std::uint8_t* bmBits = nullptr;
    platform::BitmapInfoHeader dsBmih {}; // zero for a device-dependent bitmap
    std::uint32_t dsBitfields[3] = { 0, 0, 0 };
};

// One image, shared by the bitmaps that were copied from one another and
// replaced, never changed, while shared.
struct TBitmapImage {
    platform::HBITMAP Handle;
    platform::HBITMAP DIBHandle; // the same handle when the image is a section
    platform::HBITMAP MaskHandle;
    platform::HPALETTE Palette;
    TBitmapDescription DIB;
    bool OS2Format = false;
    bool Halftone = false;
};

// The bitmap's own drawing context: a memory context with the image and its
// palette selected, made when first needed.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap& bitmap)
        : m_bitmap(bitmap)
    {
    }
    ~TBitmapCanvas() override;
    // Gives the context back, deselecting the image.
    void FreeContext();
    platform::DeviceContext& Context();

protected:
    void CreateHandle() override;

private:
    TBitmap& m_bitmap;
    std::unique_ptr<platform::DeviceContext> m_context;
};

// The graphic class of the "bmp" extension.
class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;

    static TGraphicClass StaticClass();
    TGraphicClass ClassType() const override { return StaticClass(); }

    void Draw(TCanvas& canvas, const TRect& rect) override;
    bool Empty() const override;
    std::int32_t Height() const override;
    std::int32_t Width() const override;
    platform::HPALETTE GetPalette() override;
    void LoadFromStream(TStream& stream) override;
    // The size LoadFromStream would give the bitmap, with its errors, from
    // the headers alone; nothing when only reading the pixels tells.
    static std::optional<TGraphicSize> ReadSize(TStream& stream);

    // Shares the other bitmap's image.
    void Assign(const TBitmap& source);
    TCanvas& Canvas();
    const TBitmapImage& Image() const { return *m_image; }
    bool IgnorePalette() const { return m_ignorePalette; }
    bool Monochrome() const;

protected:
    void ReadBitmapStream(TStream& stream, std::int64_t size);
    // `pixelOffset` is the file header's pixel offset counted from the info
    // header's first byte.
    void ReadBitmapInfo(TStream& stream, std::int64_t budget, std::int64_t pixelOffset);

private:
    void PaletteNeeded();
    void SetImage(std::shared_ptr<TBitmapImage> image);
    TBitmapCanvas& OwnCanvas();

    std::shared_ptr<TBitmapImage> m_image;
    std::unique_ptr<TBitmapCanvas> m_canvas;
    bool m_ignorePalette = false;
    bool m_maskValid = false;
};

// The icon and metafile classes of the registry. This build reads neither
// format, so loading one fails as an unknown format would.
class TUnreadableGraphic : public TGraphic {
public:
    void Draw(TCanvas&, const TRect&) override { }
    bool Empty() const override { return true; }
    std::int32_t Height() const override { return 0; }
    std::int32_t Width() const override { return 0; }
    void LoadFromFile(const std::string& fileName) override;
    void LoadFromStream(TStream& stream) override;

private:
    std::string m_extension;
};

class TMetafile : public TUnreadableGraphic {
public:
    static TGraphicClass StaticClass();
    TGraphicClass ClassType() const override { return StaticClass(); }
};

class TIcon : public TUnreadableGraphic {
public:
    static TGraphicClass StaticClass();
    TGraphicClass ClassType() const override { return StaticClass(); }
};
