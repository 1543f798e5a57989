#pragma once

// The device-independent bitmap class of the "dib" extension: its own reader
// of BMP-format files, its run-length decoders, the reference-counted image
// records that copies of a TDIB share, and the process-wide palette cache.
//
// A record keeps the bit count and channel layout of its file; pixels are
// converted only by the platform copy that draws them. Records are replaced,
// never changed, while more than one TDIB refers to them.

#include "picture/Graphics.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace picture {
inline constexpr const char* kSDIBInvalid = "不正な DIB です";
inline constexpr const char* kSDIBInvalidBitCount = "不正なビット数です (%d)";
inline constexpr const char* kSDIBInvalidPixelFormat = "不正なピクセルフォーマットです";
inline constexpr const char* kSDIBCannotCreate = "%s を作成できません";
inline constexpr const char* kSDIBOutOfMemory = "メモリが足りません";

// Raises EInvalidGraphic with kSDIBInvalid.
[[noreturn]] void raiseInvalidDIB();
} // namespace picture

using TDIBColorTable = std::array<platform::RgbQuad, 256>;

// Where the three colour channels of a 16- or 32-bit pixel lie, with the
// derived shifts and losses that turn a channel into an 8-bit value.
struct TDIBChannelFormat {
    std::uint32_t RedMask = 0;
    std::uint32_t GreenMask = 0;
    std::uint32_t BlueMask = 0;
    std::int32_t RedBits = 0;
    std::int32_t GreenBits = 0;
    std::int32_t BlueBits = 0;
    std::int32_t RedShift = 0;
    std::int32_t GreenShift = 0;
    std::int32_t BlueShift = 0;
    std::int32_t RedLoss = 0;
    std::int32_t GreenLoss = 0;
    std::int32_t BlueLoss = 0;

    // Blue lowest, green above it, red on top.
    static TDIBChannelFormat FromBitCounts(std::int32_t red, std::int32_t green, std::int32_t blue);
    // The masks of a bit-field file as they lie in the pixel. Returns the
    // packed format of their bit counts instead when the masks cannot
    // describe a pixel of bitCount bits (overlapping, too wide, empty).
    static TDIBChannelFormat FromFileMasks(
        std::int32_t bitCount, std::uint32_t red, std::uint32_t green, std::uint32_t blue);

    bool SameMasks(const TDIBChannelFormat& other) const
    {
        return RedMask == other.RedMask && GreenMask == other.GreenMask && BlueMask == other.BlueMask;
    }
    bool operator==(const TDIBChannelFormat&) const = default;
};

// The bit count a bit-field mask stands for: the run of set bits from its
// lowest set bit upwards (an empty mask counts 0).
std::int32_t maskBitCount(std::uint32_t mask);

// Raises EInvalidGraphicOperation unless bitCount is one of the six the
// class holds and the channel format fits it (8-8-8, or 5-5-5 / 5-6-5 for 16
// bits, each mask one run of its bit count, the masks apart).
void checkChannelFormat(std::int32_t bitCount, const TDIBChannelFormat& format);

// One image record. The fields carry the class's own names; only TDIB
// changes a record, and only while it is the record's sole holder.
class TDIBSharedImage {
public:
    TDIBSharedImage(); // fresh: no pixels, memory-only, grey ramp, 8-8-8
    ~TDIBSharedImage();
    TDIBSharedImage(const TDIBSharedImage&) = delete;
    TDIBSharedImage& operator=(const TDIBSharedImage&) = delete;

    // The process-wide empty image; the module holds one reference of its own.
    static const std::shared_ptr<TDIBSharedImage>& EmptyImage();

    void BuildImage(std::int32_t width, std::int32_t height, std::int32_t bitCount,
        TDIBChannelFormat channelFormat, TDIBColorTable colorTable, bool memoryOnly, bool compressed);
    // Fills a fresh record from an image that begins with its header size.
    // pixelStart, when given, is the stream position that the file header
    // names for the pixel data.
    void ReadImage(TStream& stream, bool memoryOnly, std::optional<std::int64_t> pixelStart = std::nullopt);
    void Decompress(const TDIBSharedImage& source, bool memoryOnly);
    void CopyImage(const TDIBSharedImage& source, bool memoryOnly);
    void SetColorTable(std::span<const platform::RgbQuad> colors);
    platform::HPALETTE GetPalette();

    std::int32_t BitCount = 0;
    platform::BitmapInfo InfoBlock; // header, masks for 16/32 bits, ColorCount entries
    std::int32_t InfoBlockSize = 0;
    bool ColorTableDirty = true;
    TDIBColorTable ColorTable {};
    std::int32_t ColorTableOffset = 40;
    bool Compressed = false;
    std::unique_ptr<platform::DeviceContext> DrawContext;
    platform::HBITMAP SectionHandle;
    std::int32_t Height = 0;
    bool MemoryOnly = true;
    std::int32_t RowStep = 0;
    platform::HBITMAP PreviousBitmap;
    platform::HPALETTE PaletteHandle;
    std::int32_t ColorCount = 0;
    std::uint8_t* Bits = nullptr;
    TDIBChannelFormat ChannelFormat;
    std::int32_t ImageSize = 0;
    std::uint8_t* TopRow = nullptr;
    std::int32_t Width = 0;
    std::int32_t RowBytes = 0;

private:
    void reset(bool memoryOnly);
    void releaseStorage();
    void describe(bool compressed);
    void allocatePlainMemory();
    void createSection();
    void adoptRunLengthData(std::unique_ptr<std::uint8_t[]> data, std::int32_t size);
    void readPixels(TStream& stream, bool topDown);
    void readRunLengthData(TStream& stream, std::uint32_t headerImageSize);
    // Zeroed plain memory, or EOutOfMemory.
    static std::unique_ptr<std::uint8_t[]> plainMemory(std::size_t size);

    std::unique_ptr<std::uint8_t[]> m_memory; // plain pixels or run-length data
};

// Run-length decoders. They write the data into bottom-up pixel memory of
// rows rowBytes long, never outside `pixels` and never reading past `data`;
// a run past the end of a row goes on into the row's alignment bytes and the
// next row. A missing end-of-bitmap code ends decoding. Return whether the
// end-of-bitmap code was found.
bool DecodeRLE8(std::span<const std::uint8_t> data, std::span<std::uint8_t> pixels, std::size_t rowBytes);
bool DecodeRLE4(std::span<const std::uint8_t> data, std::span<std::uint8_t> pixels, std::size_t rowBytes);
// Where run-length data ends: the offset just past its end-of-bitmap code,
// or nothing when the data has none.
std::optional<std::size_t> rleEndOfBitmap(std::span<const std::uint8_t> data, bool fourBit);

// One cached platform palette and the colours it was made from.
class TPaletteItem {
public:
    std::uint32_t Key = 0;
    platform::HPALETTE Palette;
    std::int32_t RefCount = 0;
    TDIBColorTable Colors {};
    std::int32_t ColorCount = 0;
};

// Hands out one platform palette for all images with the same colours.
class TPaletteManager {
public:
    // The process-wide cache, made on first need.
    static TPaletteManager& Instance();
    // The cache if it still exists (records released at shut-down ask).
    static TPaletteManager* Current();

    platform::HPALETTE AcquirePalette(std::span<const platform::RgbQuad> colors, std::int32_t count);
    void ReleasePalette(platform::HPALETTE& handle);
    std::size_t Count() const { return m_items.size(); }

private:
    std::vector<std::unique_ptr<TPaletteItem>> m_items;
};

class TDIB : public TGraphic {
public:
    TDIB();
    ~TDIB() override;

    // The registry entry of this class; the file-format registry appends it
    // for "dib" after the built-in entries and TQvDIB.
    static TGraphicClass StaticClass();
    TGraphicClass ClassType() const override { return StaticClass(); }

    void Draw(TCanvas& canvas, const TRect& rect) override;
    bool Empty() const override { return m_image->ImageSize == 0; }
    std::int32_t Width() const override { return m_image->Width; }
    std::int32_t Height() const override { return m_image->Height; }
    platform::HPALETTE GetPalette() override { return m_image->GetPalette(); }
    void LoadFromStream(TStream& stream) override;
    // An image that begins with its header size (no file header).
    void ReadStoredData(TStream& stream);

    // A canvas whose context holds the decoded pixels as a section.
    TCanvas& Canvas();
    void SetSize(std::int32_t width, std::int32_t height, std::int32_t bitCount);
    void SetWidth(std::int32_t value);
    void SetHeight(std::int32_t value);
    void Clear();
    // The pixel memory of a private, uncompressed record.
    std::uint8_t* Bits();
    void SetColorTable(std::span<const platform::RgbQuad> colors);
    void SetPalette(const platform::HPALETTE& palette);
    // Shares source's record; either side's next change makes its own.
    void CopyFrom(const TDIB& source);

    std::int32_t BitCount() const { return m_image->BitCount; }
    std::int32_t RowBytes() const { return m_image->RowBytes; }
    std::int32_t RowStep() const { return m_image->RowStep; }
    std::int32_t ImageSize() const { return m_image->ImageSize; }
    const TDIBChannelFormat& ChannelFormat() const { return m_image->ChannelFormat; }
    const TDIBColorTable& ColorTable() const { return m_colorTable; }
    const TDIBChannelFormat& NewImageChannelFormat() const { return m_newImageFormat; }
    const TDIBSharedImage& Image() const { return *m_image; }
    long ImageRefCount() const { return m_image.use_count(); }

private:
    void SetImage(std::shared_ptr<TDIBSharedImage> image);
    void PrepareForChange(bool keepMemoryOnly);
    void readStoredData(TStream& stream, std::optional<std::int64_t> pixelStart);

    std::shared_ptr<TDIBSharedImage> m_image;
    std::unique_ptr<TCanvas> m_canvas; // after m_image: goes first, while its context lives
    TDIBColorTable m_colorTable {};
    TDIBChannelFormat m_newImageFormat;
};
