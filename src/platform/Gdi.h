#pragma once

// Drawing contexts over pixel memory: the small part of the platform's
// graphics device interface that the picture classes and the surface layer
// draw through. Bitmaps are pixel memory with a BMP-style description
// (sections keep the file's own layout, device-dependent bitmaps the
// screen's); a stretch copy converts colours into the destination's format.
//
// Handles are shared pointers: a context that has a bitmap or palette
// selected keeps it alive, so "deleting" a handle while it is selected is
// harmless, as on the platform.

#include "platform/Types.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace platform {

struct RgbQuad {
    std::uint8_t rgbBlue = 0;
    std::uint8_t rgbGreen = 0;
    std::uint8_t rgbRed = 0;
    std::uint8_t rgbReserved = 0;
    bool operator==(const RgbQuad&) const = default;
};

struct PaletteEntry {
    std::uint8_t peRed = 0;
    std::uint8_t peGreen = 0;
    std::uint8_t peBlue = 0;
    std::uint8_t peFlags = 0;
    bool operator==(const PaletteEntry&) const = default;
};

inline constexpr std::uint32_t BI_RGB = 0;
inline constexpr std::uint32_t BI_RLE8 = 1;
inline constexpr std::uint32_t BI_RLE4 = 2;
inline constexpr std::uint32_t BI_BITFIELDS = 3;

inline constexpr std::uint32_t SRCCOPY = 0x00CC0020;

inline constexpr int BLACKONWHITE = 1;
inline constexpr int WHITEONBLACK = 2;
inline constexpr int COLORONCOLOR = 3;
inline constexpr int HALFTONE = 4;

// Pixel memory larger than this is refused: no sheet image comes near it and
// a hostile header must not make us allocate gigabytes.
inline constexpr std::uint64_t kMaxPixelBytes = 256ull * 1024 * 1024;

// The 40-byte info header of the BMP standard, field for field.
struct BitmapInfoHeader {
    std::uint32_t biSize = 40;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0; // negative: rows stored top row first
    std::uint16_t biPlanes = 1;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = BI_RGB;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};

// Everything a BMP pixel array needs to be understood: the header, the
// channel masks (read with BI_BITFIELDS) and the colour table (at most 256).
struct BitmapInfo {
    BitmapInfoHeader header;
    std::uint32_t redMask = 0;
    std::uint32_t greenMask = 0;
    std::uint32_t blueMask = 0;
    std::vector<RgbQuad> colors;
};

// How one pixel is stored. For 16 and 32 bits the masks say where the
// channels are (any contiguous masks); 24 bits are blue, green, red bytes;
// 1, 4 and 8 bits index the colour table.
struct PixelFormat {
    std::uint16_t bitCount = 32;
    std::uint32_t redMask = 0x00FF0000;
    std::uint32_t greenMask = 0x0000FF00;
    std::uint32_t blueMask = 0x000000FF;
    bool operator==(const PixelFormat&) const = default;
};

namespace detail {
// Zeroed memory straight from the system: a bitmap that is about to be
// overwritten costs no extra pass. Large blocks are mapped on their own, in
// huge pages where the system has them, since faulting in a sheet's memory
// page by page costs more than filling it.
struct PixelMemoryDeleter {
    std::size_t mapped = 0; // bytes of a mapping of our own; 0: from calloc
    void operator()(std::uint8_t* p) const noexcept;
};
} // namespace detail

// Pixel memory with its layout. Rows are `stride()` bytes apart (a multiple
// of 4); `scanLine(y)` counts y from the top of the image whatever the order
// in memory.
class Bitmap {
public:
    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    const PixelFormat& format() const { return m_format; }
    std::uint16_t bitCount() const { return m_format.bitCount; }
    std::size_t stride() const { return m_stride; }
    bool topDown() const { return m_topDown; }
    bool isSection() const { return m_section; }

    std::uint8_t* bits() { return m_pixels.get(); }
    const std::uint8_t* bits() const { return m_pixels.get(); }
    std::size_t byteSize() const { return m_byteSize; }
    std::uint8_t* scanLine(std::int32_t y);
    const std::uint8_t* scanLine(std::int32_t y) const;

    // Colour table of an indexed bitmap (2^bitCount entries for sections,
    // the display's palette for an 8-bit device-dependent bitmap).
    std::span<const RgbQuad> colorTable() const { return m_colors; }
    void setColorTable(std::size_t first, std::span<const RgbQuad> colors);

    // The colour of a pixel as 0x00RRGGBB; 0 outside the bitmap.
    std::uint32_t colorAt(std::int32_t x, std::int32_t y) const;

    // The description a section was made from (biHeight keeps its sign);
    // for a device-dependent bitmap a header in the screen's format.
    const BitmapInfoHeader& infoHeader() const { return m_header; }

private:
    friend std::shared_ptr<Bitmap> makeBitmap(std::int32_t, std::int32_t, const PixelFormat&, bool, bool);
    friend std::shared_ptr<Bitmap> CreateDIBSection(const BitmapInfo&);
    Bitmap() = default;

    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    PixelFormat m_format;
    std::size_t m_stride = 0;
    bool m_topDown = false;
    bool m_section = false;
    std::unique_ptr<std::uint8_t[], detail::PixelMemoryDeleter> m_pixels;
    std::size_t m_byteSize = 0;
    std::vector<RgbQuad> m_colors;
    BitmapInfoHeader m_header;
};

using HBITMAP = std::shared_ptr<Bitmap>;

// Whether pixel memory of this size stays within kMaxPixelBytes (sides of
// up to 2^31 and any defined bit count: the product is formed in 64 bits).
bool pixelMemoryFits(std::int32_t width, std::int32_t height, std::int32_t bitCount);

// Pixel memory of the given layout, zero-filled; nullptr when a side is not
// positive or the memory would pass kMaxPixelBytes.
HBITMAP makeBitmap(
    std::int32_t width, std::int32_t height, const PixelFormat& format, bool topDown, bool section);

// Maps the pixel memory that makeBitmap would give a bitmap of this size and
// bit count, and faults it in on the calling thread, for the next bitmap of
// that memory's size to take instead of fresh pages: the viewer's start makes
// its sheet's surface ready while the window is being built. Memory made
// ready before and not taken is freed. Small memory, which comes from the
// allocator, and memory makeBitmap would refuse are not made ready.
void preparePixelMemory(std::int32_t width, std::int32_t height, std::int32_t bitCount);
// Frees the memory made ready that no bitmap took.
void releasePreparedPixelMemory() noexcept;

// A logical palette (version 0x300) held as data.
struct Palette {
    std::vector<PaletteEntry> entries;
};
using HPALETTE = std::shared_ptr<Palette>;

HPALETTE CreatePalette(std::span<const PaletteEntry> entries); // nullptr for no entries
HPALETTE CreateHalftonePalette();

// ---- the screen ---------------------------------------------------------

// The display's pixel format: 32-bit XRGB (raw 0x00RRGGBB) unless a test
// chooses 8, 16 (5-6-5) or 24 bits. An 8-bit screen indexes systemPalette().
const PixelFormat& screenFormat();
void setScreenBitCountForTesting(int bitCount);
std::span<const PaletteEntry> systemPalette(); // always 256 entries
std::span<const PaletteEntry> systemPalette16(); // the 16-colour palette

// Raw value of a colour (0x00RRGGBB) in a format; 8-bit formats take the
// nearest entry of the colour table given (the system palette when empty).
std::uint32_t rawFromColor(const PixelFormat& format, std::uint32_t rgb, std::span<const RgbQuad> table = {});

// ---- drawing contexts ---------------------------------------------------

class DeviceContext {
public:
    // A memory context: a 1 x 1 monochrome bitmap is selected, as on the
    // platform; it reports the screen's depth until a bitmap is selected.
    DeviceContext();

    HBITMAP selectBitmap(HBITMAP bitmap); // returns the previous one
    Bitmap* bitmap() const { return m_bitmap.get(); }
    const HBITMAP& bitmapHandle() const { return m_bitmap; }

    HPALETTE selectPalette(HPALETTE palette, bool forceBackground);
    int realizePalette(); // number of entries realised; a data-only step here
    const HPALETTE& palette() const { return m_palette; }

    int setStretchMode(int mode); // returns the previous mode
    int stretchMode() const { return m_stretchMode; }
    std::uint32_t setBkColor(std::uint32_t rgb);
    std::uint32_t setTextColor(std::uint32_t rgb);
    TPoint setBrushOrigin(TPoint origin);

    // Bits per pixel times planes of what the context draws on.
    int bitsPerPixel() const;

private:
    HBITMAP m_bitmap;
    HPALETTE m_palette;
    int m_stretchMode = BLACKONWHITE;
    std::uint32_t m_bkColor = 0xFFFFFF;
    std::uint32_t m_textColor = 0;
    TPoint m_brushOrigin;
};
using HDC = DeviceContext*;

std::unique_ptr<DeviceContext> CreateCompatibleDC();
// The screen's own context: it has no pixels of its own here, but answers
// for the screen's depth and palette.
DeviceContext& screenDC();

// A device-independent section from a header, masks and colour table. The
// pixels are zero. nullptr when the description is one that the BMP standard
// does not define (bit count not 1/4/8/16/24/32, BI_BITFIELDS with a bit count
// other than 16 or 32, compression other than BI_RGB and BI_BITFIELDS, more
// than 256 colours, planes not 1, width not positive, height 0) or the memory
// would pass kMaxPixelBytes.
HBITMAP CreateDIBSection(const BitmapInfo& info);
// Whether CreateDIBSection takes the description: it then fails only when
// the memory cannot be had.
bool IsSectionDescription(const BitmapInfo& info);

// A bitmap in the screen's format.
HBITMAP CreateCompatibleBitmap(std::int32_t width, std::int32_t height);

// A bitmap in the screen's format initialised from a BMP pixel array (any
// format CreateDIBSection takes, plus BI_RLE8 with 8 bits and BI_RLE4 with 4
// bits, bottom-up only). Run-length data is clipped to the image, and a
// missing end-of-bitmap code ends decoding. nullptr when refused.
HBITMAP CreateDIBitmap(const BitmapInfo& info, std::span<const std::uint8_t> data);

// Decodes BMP run-length data (bitCount 8: RLE8, 4: RLE4) into bottom-up
// indexed pixel memory of `height` rows of `rowBytes` bytes. A run past the
// end of a row goes on into the row's alignment bytes and the next row.
// Pixels that the data does not reach are left as they are; nothing is read
// past the data or written past the memory. Returns whether decoding ended
// at an end-of-bitmap code.
bool decodeRle(std::span<const std::uint8_t> data, int bitCount, std::span<std::uint8_t> pixels,
    std::size_t rowBytes, std::int32_t height);

// Where run-length data ends: the offset just past its end-of-bitmap code,
// or nothing when the data has none.
std::optional<std::size_t> rleDataEnd(std::span<const std::uint8_t> data, int bitCount);

// Copies src's (sx, sy, sw, sh) into dst's (x, y, w, h): 1:1 at equal size,
// nearest neighbour otherwise, converting each colour into dst's format.
// Only SRCCOPY is supported; other operations copy nothing and fail. Parts
// outside either bitmap are skipped.
bool StretchBlt(DeviceContext& dst, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
    DeviceContext& src, std::int32_t sx, std::int32_t sy, std::int32_t sw, std::int32_t sh,
    std::uint32_t rop);

// The same from a BMP pixel array (run-length data included) without a
// section. Returns the number of lines copied, 0 when refused.
int StretchDIBits(DeviceContext& dst, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
    std::int32_t sx, std::int32_t sy, std::int32_t sw, std::int32_t sh, std::span<const std::uint8_t> bits,
    const BitmapInfo& info, std::uint32_t rop);

// No drawing is ever pending here; kept so that callers read as they must.
inline void GdiFlush()
{
}

} // namespace platform
