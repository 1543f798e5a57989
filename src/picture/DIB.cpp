// TDIB: a thin handle on a shared image record. Every change that needs
// private or uncompressed pixels builds a new record and swaps it in.
#include "picture/DIB.h"
#include "platform/BitmapLayout.h"

#include <algorithm>
#include <utility>

namespace {

std::unique_ptr<TGraphic> createDIB()
{
    return std::make_unique<TDIB>();
}
const TGraphicClassInfo kDIBClass { "TDIB", nullptr, &createDIB };
} // namespace

TDIB::TDIB()
{
    SetImage(TDIBSharedImage::EmptyImage());
}

TDIB::~TDIB()
{
    // The canvas holds the record's context; it goes before the record.
    m_canvas.reset();
}

TGraphicClass TDIB::StaticClass()
{
    return &kDIBClass;
}

void TDIB::SetImage(std::shared_ptr<TDIBSharedImage> image)
{
    // The old record lives until the canvas no longer points at its context.
    const auto previous = std::exchange(m_image, std::move(image));
    m_colorTable = m_image->ColorTable;
    m_newImageFormat = m_image->ChannelFormat;
    if (m_canvas)
        m_canvas->SetHandle(m_image->DrawContext.get());
}

void TDIB::LoadFromStream(TStream& stream)
{
    const std::int64_t start = stream.Position();
    // A file header cut short is no DIB; no file header at all is no image.
    platform::ByteReader fileHeader(stream, platform::bitmap::kFileHeaderSize, &picture::raiseInvalidDIB);
    if (fileHeader.remaining() == 0)
        return;
    const std::uint16_t signature = fileHeader.u16();
    fileHeader.skip(8); // file size and reserved fields
    const std::uint32_t pixelOffset = fileHeader.u32();
    if (signature != platform::bitmap::kSignature)
        picture::raiseInvalidDIB();
    readStoredData(stream, start + pixelOffset);
}

void TDIB::ReadStoredData(TStream& stream)
{
    readStoredData(stream, std::nullopt);
}

void TDIB::readStoredData(TStream& stream, std::optional<std::int64_t> pixelStart)
{
    auto image = std::make_shared<TDIBSharedImage>();
    image->ReadImage(stream, m_image->MemoryOnly, pixelStart);
    SetImage(std::move(image));
    PaletteModified = true;
}

TCanvas& TDIB::Canvas()
{
    if (m_canvas && m_canvas->HandleAllocated())
        return *m_canvas;
    if (m_image->MemoryOnly) {
        auto image = std::make_shared<TDIBSharedImage>();
        image->Decompress(*m_image, false);
        SetImage(std::move(image));
    }
    m_canvas = std::make_unique<TCanvas>();
    m_canvas->SetHandle(m_image->DrawContext.get());
    m_canvas->OnChanging = [this](TCanvas&) { PrepareForChange(false); };
    return *m_canvas;
}

void TDIB::PrepareForChange(bool keepMemoryOnly)
{
    if (m_image.use_count() == 1 && !m_image->Compressed && (keepMemoryOnly || !m_image->MemoryOnly))
        return;
    auto image = std::make_shared<TDIBSharedImage>();
    image->Decompress(*m_image, keepMemoryOnly && m_image->MemoryOnly);
    SetImage(std::move(image));
}

std::uint8_t* TDIB::Bits()
{
    PrepareForChange(true);
    if (!m_image->MemoryOnly)
        platform::GdiFlush();
    return m_image->Bits;
}

void TDIB::Draw(TCanvas& canvas, const TRect& rect)
{
    if (m_image->ImageSize < 1)
        return;
    platform::DeviceContext& dc = *canvas.Handle();
    // Held for the copy, whatever the destination's notifications do to us.
    const auto image = m_image;

    platform::HPALETTE oldPalette;
    const bool palette = image->ColorCount >= 1;
    if (palette) {
        oldPalette = dc.selectPalette(image->GetPalette(), false);
        dc.realizePalette();
    }
    const int oldMode = dc.setStretchMode(platform::COLORONCOLOR);
    platform::GdiFlush();

    if (image->MemoryOnly) {
        platform::StretchDIBits(dc, rect.Left, rect.Top, rect.width(), rect.height(), 0, 0, image->Width,
            image->Height, { image->Bits, static_cast<std::size_t>(image->ImageSize) }, image->InfoBlock,
            canvas.CopyMode);
    } else {
        platform::StretchBlt(dc, rect.Left, rect.Top, rect.width(), rect.height(), *image->DrawContext, 0, 0,
            image->Width, image->Height, canvas.CopyMode);
    }

    dc.setStretchMode(oldMode);
    if (palette)
        dc.selectPalette(oldPalette, false);
}

void TDIB::SetSize(std::int32_t width, std::int32_t height, std::int32_t bitCount)
{
    if (width == m_image->Width && height == m_image->Height && bitCount == m_image->BitCount
        && m_image->ChannelFormat.SameMasks(m_newImageFormat))
        return;
    if (width <= 0 || height <= 0) {
        Clear();
        return;
    }
    auto image = std::make_shared<TDIBSharedImage>();
    image->BuildImage(width, height, bitCount, m_newImageFormat, m_colorTable, m_image->MemoryOnly, false);
    SetImage(std::move(image));
    PaletteModified = true;
}

void TDIB::SetWidth(std::int32_t value)
{
    if (Empty())
        SetSize(value, std::max(Height(), 1), 8);
    else
        SetSize(value, Height(), BitCount());
}

void TDIB::SetHeight(std::int32_t value)
{
    if (Empty())
        SetSize(std::max(Width(), 1), value, 8);
    else
        SetSize(Width(), value, BitCount());
}

void TDIB::Clear()
{
    SetImage(TDIBSharedImage::EmptyImage());
}

void TDIB::SetColorTable(std::span<const platform::RgbQuad> colors)
{
    PrepareForChange(true);
    m_image->SetColorTable(colors);
    m_colorTable = m_image->ColorTable;
    PaletteModified = true;
    Changed(this);
}

void TDIB::SetPalette(const platform::HPALETTE& palette)
{
    if (!palette)
        return;
    TDIBColorTable colors = m_colorTable;
    const std::size_t n = std::min(palette->entries.size(), colors.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto& e = palette->entries[i];
        colors[i] = { e.peBlue, e.peGreen, e.peRed, 0 };
    }
    SetColorTable(colors);
}

void TDIB::CopyFrom(const TDIB& source)
{
    if (&source == this)
        return;
    SetImage(source.m_image);
    PaletteModified = true;
    Changed(this);
}
