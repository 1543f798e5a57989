// TBitmap: its image record, its own canvas, its palette and how it draws.
#include "picture/Graphics.h"
#include "picture/Graphics_Palette.h"

#include <cstdlib>

namespace {
std::unique_ptr<TGraphic> createBitmap()
{
    return std::make_unique<TBitmap>();
}
const TGraphicClassInfo kBitmapClass { "TBitmap", nullptr, &createBitmap };
} // namespace

TBitmapCanvas::~TBitmapCanvas()
{
    FreeContext();
}

void TBitmapCanvas::FreeContext()
{
    if (!m_context)
        return;
    SetHandle(nullptr);
    m_context.reset();
}

void TBitmapCanvas::CreateHandle()
{
    auto context = platform::CreateCompatibleDC();
    const TBitmapImage& image = m_bitmap.Image();
    if (image.Handle)
        context->selectBitmap(image.Handle);
    if (image.Palette) {
        context->selectPalette(image.Palette, true);
        context->realizePalette();
    }
    m_context = std::move(context);
    SetHandle(m_context.get());
}

platform::DeviceContext& TBitmapCanvas::Context()
{
    RequiredState();
    return *m_context;
}

TBitmap::TBitmap()
    : m_image(std::make_shared<TBitmapImage>())
{
}

TBitmap::~TBitmap() = default;

TGraphicClass TBitmap::StaticClass()
{
    return &kBitmapClass;
}

bool TBitmap::Empty() const
{
    return !m_image->Handle && !m_image->DIBHandle;
}

std::int32_t TBitmap::Width() const
{
    return m_image->DIB.bmWidth;
}

std::int32_t TBitmap::Height() const
{
    return std::abs(m_image->DIB.bmHeight);
}

bool TBitmap::Monochrome() const
{
    return m_image->DIB.bmPlanes == 1 && m_image->DIB.bmBitsPixel == 1;
}

void TBitmap::Assign(const TBitmap& source)
{
    if (&source == this)
        return;
    SetImage(source.m_image);
    PaletteModified = GetPalette() != nullptr;
    Changed(this);
}

TCanvas& TBitmap::Canvas()
{
    return OwnCanvas();
}

TBitmapCanvas& TBitmap::OwnCanvas()
{
    if (!m_canvas)
        m_canvas = std::make_unique<TBitmapCanvas>(*this);
    return *m_canvas;
}

void TBitmap::SetImage(std::shared_ptr<TBitmapImage> image)
{
    if (m_canvas)
        m_canvas->FreeContext();
    m_image = std::move(image);
    m_maskValid = false;
}

platform::HPALETTE TBitmap::GetPalette()
{
    PaletteNeeded();
    return m_image->Palette;
}

void TBitmap::PaletteNeeded()
{
    if (m_ignorePalette || m_image->Palette)
        return;
    TBitmapImage& image = *m_image;
    if (image.DIBHandle)
        image.Palette = picture::paletteFromColorTable(image.DIBHandle->colorTable());
    if (!image.Palette
        && (image.Halftone
            || platform::screenDC().bitsPerPixel() < image.DIB.bmBitsPixel * image.DIB.bmPlanes)) {
        image.Palette = platform::CreateHalftonePalette();
        image.Halftone = true;
    }
    if (!image.Palette)
        m_ignorePalette = true;
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect)
{
    canvas.RequiredState();
    PaletteNeeded();
    platform::DeviceContext& dc = *canvas.m_handle;
    const platform::HPALETTE palette = m_image->Palette;
    platform::HPALETTE previous;
    if (palette) {
        previous = dc.selectPalette(palette, true);
        dc.realizePalette();
    }
    const int depth = dc.bitsPerPixel();
    const int imageDepth = m_image->DIB.bmBitsPixel * m_image->DIB.bmPlanes;
    if (depth <= 8 && depth < imageDepth) {
        const TPoint origin = dc.setBrushOrigin(TPoint {});
        dc.setStretchMode(platform::HALFTONE);
        dc.setBrushOrigin(origin);
    } else if (!Monochrome()) {
        dc.setStretchMode(platform::COLORONCOLOR);
    }
    // Transparent drawing needs a mask, which only icons and the window
    // framework ask for; sheet images are always drawn opaque.
    platform::StretchBlt(dc, rect.Left, rect.Top, rect.width(), rect.height(), OwnCanvas().Context(), 0, 0,
        m_image->DIB.bmWidth, std::abs(m_image->DIB.bmHeight), canvas.CopyMode);
    if (palette)
        dc.selectPalette(previous, true);
}
