// Image records: building, copying and decompressing them, their colours
// and their palette.
#include "picture/DIB.h"
#include "platform/BitmapLayout.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

TDIBColorTable greyRamp()
{
    TDIBColorTable table {};
    for (std::size_t i = 0; i < table.size(); ++i) {
        const auto v = static_cast<std::uint8_t>(i);
        table[i] = { v, v, v, 0 };
    }
    return table;
}

} // namespace

std::unique_ptr<std::uint8_t[]> TDIBSharedImage::plainMemory(std::size_t size)
{
    try {
        return std::make_unique<std::uint8_t[]>(size);
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(picture::kSDIBOutOfMemory);
    }
}

TDIBSharedImage::TDIBSharedImage()
{
    reset(true);
}

TDIBSharedImage::~TDIBSharedImage()
{
    releaseStorage();
}

const std::shared_ptr<TDIBSharedImage>& TDIBSharedImage::EmptyImage()
{
    static const std::shared_ptr<TDIBSharedImage> empty = std::make_shared<TDIBSharedImage>();
    return empty;
}

void TDIBSharedImage::releaseStorage()
{
    if (DrawContext && SectionHandle)
        DrawContext->selectBitmap(PreviousBitmap);
    SectionHandle.reset();
    PreviousBitmap.reset();
    m_memory.reset();
    if (auto* cache = TPaletteManager::Current())
        cache->ReleasePalette(PaletteHandle);
    PaletteHandle.reset();
    DrawContext.reset();
    InfoBlock = {};
    Bits = nullptr;
    TopRow = nullptr;
}

void TDIBSharedImage::reset(bool memoryOnly)
{
    releaseStorage();
    BitCount = 0;
    InfoBlockSize = 0;
    ColorTableDirty = true;
    ColorTable = greyRamp();
    ColorTableOffset = static_cast<std::int32_t>(platform::bitmap::kInfoHeaderSize);
    Compressed = false;
    Height = 0;
    MemoryOnly = memoryOnly;
    RowStep = 0;
    ColorCount = 0;
    ChannelFormat = TDIBChannelFormat::FromBitCounts(8, 8, 8);
    ImageSize = 0;
    Width = 0;
    RowBytes = 0;
}

void TDIBSharedImage::BuildImage(std::int32_t width, std::int32_t height, std::int32_t bitCount,
    TDIBChannelFormat channelFormat, TDIBColorTable colorTable, bool memoryOnly, bool compressed)
{
    reset(true);
    checkChannelFormat(bitCount, channelFormat);

    const std::uint64_t rowBytes
        = platform::bitmap::rowStride(std::uint64_t(std::max(width, 0)), std::uint64_t(bitCount));
    const std::uint64_t imageSize = rowBytes * std::uint64_t(std::max(height, 0));
    if (width <= 0 || height <= 0 || imageSize > platform::kMaxPixelBytes) {
        if (memoryOnly || compressed)
            throw EOutOfMemory(picture::kSDIBOutOfMemory);
        throw EOutOfResources(platform::format(picture::kSDIBCannotCreate, { "DIB" }));
    }

    BitCount = bitCount;
    Height = height;
    Width = width;
    RowBytes = static_cast<std::int32_t>(rowBytes);
    RowStep = -RowBytes;
    ImageSize = static_cast<std::int32_t>(imageSize);
    ChannelFormat = channelFormat;
    ColorCount = bitCount <= 8 ? 1 << bitCount : 0;
    describe(compressed);

    ColorTable = colorTable;
    InfoBlock.colors.assign(ColorTable.begin(), ColorTable.begin() + ColorCount);

    const std::uint32_t compression = InfoBlock.header.biCompression;
    Compressed = compression == platform::BI_RLE8 || compression == platform::BI_RLE4;
    MemoryOnly = memoryOnly || Compressed;
    if (compressed)
        return; // the caller supplies the data
    if (MemoryOnly)
        allocatePlainMemory();
    else
        createSection();
    TopRow = Bits + std::ptrdiff_t(Height - 1) * RowBytes;
}

// The info header (bottom-up, masks after it for 16 and 32 bits) that tells
// the platform how the pixels lie.
void TDIBSharedImage::describe(bool compressed)
{
    const bool masks = BitCount == 16 || BitCount == 32;
    ColorTableOffset = static_cast<std::int32_t>(
        platform::bitmap::kInfoHeaderSize + (masks ? platform::bitmap::kMasksSize : 0));
    InfoBlockSize = ColorTableOffset + 4 * ColorCount;

    auto& h = InfoBlock.header;
    h.biWidth = Width;
    h.biHeight = Height;
    h.biPlanes = 1;
    h.biBitCount = static_cast<std::uint16_t>(BitCount);
    if (masks)
        h.biCompression = platform::BI_BITFIELDS;
    else if (compressed && BitCount == 4)
        h.biCompression = platform::BI_RLE4;
    else if (compressed && BitCount == 8)
        h.biCompression = platform::BI_RLE8;
    h.biSizeImage = static_cast<std::uint32_t>(ImageSize);
    if (masks) {
        InfoBlock.redMask = ChannelFormat.RedMask;
        InfoBlock.greenMask = ChannelFormat.GreenMask;
        InfoBlock.blueMask = ChannelFormat.BlueMask;
    }
}

void TDIBSharedImage::allocatePlainMemory()
{
    // Zeroed, so that pixels that nothing writes have one defined value.
    m_memory = plainMemory(static_cast<std::size_t>(ImageSize));
    Bits = m_memory.get();
}

void TDIBSharedImage::createSection()
{
    DrawContext = platform::CreateCompatibleDC();
    SectionHandle = platform::CreateDIBSection(InfoBlock);
    if (!SectionHandle || !SectionHandle->bits() || SectionHandle->byteSize() < std::size_t(ImageSize)
        || SectionHandle->stride() != std::size_t(RowBytes) || SectionHandle->topDown())
        throw EOutOfResources(platform::format(picture::kSDIBCannotCreate, { "DIB" }));
    PreviousBitmap = DrawContext->selectBitmap(SectionHandle);
    Bits = SectionHandle->bits();
}

void TDIBSharedImage::adoptRunLengthData(std::unique_ptr<std::uint8_t[]> data, std::int32_t size)
{
    m_memory = std::move(data);
    Bits = m_memory.get();
    ImageSize = size;
    InfoBlock.header.biSizeImage = static_cast<std::uint32_t>(size);
    TopRow = nullptr; // no rows until decoded
}

void TDIBSharedImage::CopyImage(const TDIBSharedImage& source, bool memoryOnly)
{
    if (source.ImageSize == 0) {
        reset(memoryOnly);
        return;
    }
    BuildImage(source.Width, source.Height, source.BitCount, source.ChannelFormat, source.ColorTable,
        memoryOnly, source.Compressed);
    if (!Compressed) {
        std::memcpy(Bits, source.Bits, static_cast<std::size_t>(std::min(ImageSize, source.ImageSize)));
        return;
    }
    auto data = plainMemory(static_cast<std::size_t>(source.ImageSize));
    std::memcpy(data.get(), source.Bits, static_cast<std::size_t>(source.ImageSize));
    adoptRunLengthData(std::move(data), source.ImageSize);
}

void TDIBSharedImage::Decompress(const TDIBSharedImage& source, bool memoryOnly)
{
    if (!source.Compressed) {
        CopyImage(source, memoryOnly);
        return;
    }
    BuildImage(source.Width, source.Height, source.BitCount, source.ChannelFormat, source.ColorTable,
        memoryOnly, false);
    const std::span<const std::uint8_t> data(source.Bits, static_cast<std::size_t>(source.ImageSize));
    const std::span<std::uint8_t> pixels(Bits, static_cast<std::size_t>(ImageSize));
    if (source.InfoBlock.header.biCompression == platform::BI_RLE4)
        DecodeRLE4(data, pixels, static_cast<std::size_t>(RowBytes));
    else
        DecodeRLE8(data, pixels, static_cast<std::size_t>(RowBytes));
}

void TDIBSharedImage::SetColorTable(std::span<const platform::RgbQuad> colors)
{
    std::copy_n(colors.begin(), std::min(colors.size(), ColorTable.size()), ColorTable.begin());
    ColorTableDirty = true;
    if (ImageSize <= 0 || ColorCount <= 0)
        return;
    if (SectionHandle)
        SectionHandle->setColorTable(0, ColorTable);
    InfoBlock.colors.assign(ColorTable.begin(), ColorTable.begin() + ColorCount);
}

platform::HPALETTE TDIBSharedImage::GetPalette()
{
    if (ColorCount <= 0)
        return nullptr;
    if (ColorTableDirty) {
        ColorTableDirty = false;
        auto& cache = TPaletteManager::Instance();
        cache.ReleasePalette(PaletteHandle);
        PaletteHandle = cache.AcquirePalette(ColorTable, ColorCount);
    }
    return PaletteHandle;
}
