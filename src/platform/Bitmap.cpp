#include "platform/BitmapLayout.h"
#include "platform/Gdi.h"
#include "platform/HugePages.h"
#include "platform/PixelCodec.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <sys/mman.h>
#include <utility>

namespace platform {

void detail::PixelMemoryDeleter::operator()(std::uint8_t* p) const noexcept
{
    if (mapped > 0)
        ::munmap(p, mapped);
    else
        std::free(p);
}

namespace {

// From here on pixel memory is a mapping of its own, aligned to and rounded
// up to whole huge pages, so that the system can back it with them: a
// 2048 x 2048 sheet then faults in 8 times instead of 4096.
#if defined(__SANITIZE_ADDRESS__)
#define NIMBREL_PIXELS_FROM_MALLOC 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define NIMBREL_PIXELS_FROM_MALLOC 1
#endif
#endif
#ifdef NIMBREL_PIXELS_FROM_MALLOC
// The address sanitizer watches only what the allocator hands out; a
// mapping of our own would hide reads past a sheet's end from it.
constexpr std::size_t kMapFrom = SIZE_MAX;
#else
constexpr std::size_t kMapFrom = kHugePage;
#endif

struct PixelMemory {
    std::uint8_t* bytes = nullptr;
    std::size_t mapped = 0;
};

std::size_t mappedSize(std::size_t bytes)
{
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

PixelMemory mapPixels(std::size_t size)
{
    // One spare huge page to align within; the ends are given back at once.
    const std::size_t reserved = size + kHugePage;
    void* area = ::mmap(nullptr, reserved, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (area == MAP_FAILED)
        return {};
    const auto start = reinterpret_cast<std::uintptr_t>(area);
    const std::uintptr_t aligned = (start + kHugePage - 1) & ~std::uintptr_t(kHugePage - 1);
    if (aligned > start)
        ::munmap(area, aligned - start);
    if (const std::size_t tail = start + reserved - (aligned + size); tail > 0)
        ::munmap(reinterpret_cast<void*>(aligned + size), tail);
    auto* memory = reinterpret_cast<std::uint8_t*>(aligned);
    adviseHugePages(memory, size);
    return { memory, size };
}

// At most one mapping made ready ahead, waiting for a bitmap of its size.
struct PreparedMemory {
    std::mutex mutex;
    PixelMemory memory;
};

PreparedMemory& prepared()
{
    static PreparedMemory instance;
    return instance;
}

PixelMemory exchangePrepared(PixelMemory memory)
{
    const std::lock_guard lock(prepared().mutex);
    return std::exchange(prepared().memory, memory);
}

void unmap(const PixelMemory& memory) noexcept
{
    if (memory.bytes)
        ::munmap(memory.bytes, memory.mapped);
}

PixelMemory allocatePixels(std::size_t bytes)
{
    if (bytes < kMapFrom)
        return { static_cast<std::uint8_t*>(std::calloc(bytes, 1)), 0 };
    const std::size_t size = mappedSize(bytes);
    {
        const std::lock_guard lock(prepared().mutex);
        if (prepared().memory.mapped == size)
            return std::exchange(prepared().memory, PixelMemory {});
    }
    return mapPixels(size);
}

bool isDefinedBitCount(std::uint16_t bitCount)
{
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24
        || bitCount == 32;
}

// Indexed and 24-bit formats have no masks of their own; keeping them in one
// spelling lets formats be compared for equality.
PixelFormat normalised(const PixelFormat& format)
{
    PixelFormat f = format;
    if (f.bitCount <= 8) {
        f.redMask = f.greenMask = f.blueMask = 0;
    } else if (f.bitCount == 24) {
        f.redMask = 0xFF0000;
        f.greenMask = 0xFF00;
        f.blueMask = 0xFF;
    }
    return f;
}

bool isDefaultMasks(const PixelFormat& f)
{
    if (f.bitCount == 16)
        return f.redMask == 0x7C00 && f.greenMask == 0x3E0 && f.blueMask == 0x1F;
    return f.redMask == 0xFF0000 && f.greenMask == 0xFF00 && f.blueMask == 0xFF;
}

} // namespace

bool pixelMemoryFits(std::int32_t width, std::int32_t height, std::int32_t bitCount)
{
    if (width <= 0 || height <= 0 || bitCount <= 0 || bitCount > 32)
        return false;
    const std::uint64_t stride = bitmap::rowStride(std::uint64_t(width), std::uint64_t(bitCount));
    return stride * std::uint64_t(height) <= kMaxPixelBytes; // both below 2^37: no overflow
}

void preparePixelMemory(std::int32_t width, std::int32_t height, std::int32_t bitCount)
{
    if (!pixelMemoryFits(width, height, bitCount))
        return;
    const auto bytes = static_cast<std::size_t>(
        bitmap::rowStride(std::uint64_t(width), std::uint64_t(bitCount)) * std::uint64_t(height));
    if (bytes < kMapFrom)
        return;
    const PixelMemory memory = mapPixels(mappedSize(bytes));
    if (!memory.bytes)
        return;
    // Written, not read: a read would only map the shared page of zeros.
    constexpr std::size_t kSmallestPage = 4096;
    for (std::size_t at = 0; at < memory.mapped; at += kSmallestPage)
        memory.bytes[at] = 0;
    unmap(exchangePrepared(memory));
}

void releasePreparedPixelMemory() noexcept
{
    unmap(exchangePrepared(PixelMemory {}));
}

HBITMAP makeBitmap(
    std::int32_t width, std::int32_t height, const PixelFormat& format, bool topDown, bool section)
{
    if (width <= 0 || height <= 0 || !isDefinedBitCount(format.bitCount))
        return nullptr;
    if (!pixelMemoryFits(width, height, format.bitCount))
        return nullptr;
    const std::uint64_t stride = bitmap::rowStride(std::uint64_t(width), format.bitCount);
    const std::uint64_t bytes = stride * std::uint64_t(height);
    const PixelMemory memory = allocatePixels(static_cast<std::size_t>(bytes));
    if (!memory.bytes)
        return nullptr;

    HBITMAP bitmap(new Bitmap);
    bitmap->m_pixels = decltype(bitmap->m_pixels)(memory.bytes, detail::PixelMemoryDeleter { memory.mapped });
    bitmap->m_byteSize = static_cast<std::size_t>(bytes);
    bitmap->m_width = width;
    bitmap->m_height = height;
    bitmap->m_format = normalised(format);
    bitmap->m_stride = static_cast<std::size_t>(stride);
    bitmap->m_topDown = topDown;
    bitmap->m_section = section;
    if (format.bitCount <= 8)
        bitmap->m_colors.resize(std::size_t(1) << format.bitCount);

    BitmapInfoHeader& h = bitmap->m_header;
    h.biWidth = width;
    h.biHeight = topDown ? -height : height;
    h.biBitCount = format.bitCount;
    h.biCompression = (format.bitCount == 16 || format.bitCount == 32) && !isDefaultMasks(bitmap->m_format)
        ? BI_BITFIELDS
        : BI_RGB;
    h.biSizeImage = static_cast<std::uint32_t>(bytes);
    return bitmap;
}

std::uint8_t* Bitmap::scanLine(std::int32_t y)
{
    const std::size_t row = m_topDown ? std::size_t(y) : std::size_t(m_height - 1 - y);
    return m_pixels.get() + row * m_stride;
}

const std::uint8_t* Bitmap::scanLine(std::int32_t y) const
{
    const std::size_t row = m_topDown ? std::size_t(y) : std::size_t(m_height - 1 - y);
    return m_pixels.get() + row * m_stride;
}

void Bitmap::setColorTable(std::size_t first, std::span<const RgbQuad> colors)
{
    if (first >= m_colors.size())
        return;
    const std::size_t n = std::min(colors.size(), m_colors.size() - first);
    std::copy_n(colors.begin(), n, m_colors.begin() + static_cast<std::ptrdiff_t>(first));
}

std::uint32_t Bitmap::colorAt(std::int32_t x, std::int32_t y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    return detail::PixelReader(*this).at(scanLine(y), x);
}

HPALETTE CreatePalette(std::span<const PaletteEntry> entries)
{
    if (entries.empty())
        return nullptr;
    auto palette = std::make_shared<Palette>();
    palette->entries.assign(entries.begin(), entries.end());
    return palette;
}

HPALETTE CreateHalftonePalette()
{
    return CreatePalette(systemPalette());
}

} // namespace platform
