#include "platform/Gdi.h"
#include "platform/PixelCodec.h"

#include <algorithm>
#include <cstring>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {

namespace detail {

namespace {

// The source pixels that one axis of the destination shows: destination
// positions [first, first + count) take source positions from
// `sourceFirst` onwards one by one when `oneToOne`, otherwise `source[i]`.
struct AxisMap {
    std::int64_t first = 0;
    std::int64_t count = 0;
    bool oneToOne = false;
    std::int32_t sourceFirst = 0;
    std::vector<std::int32_t> source;

    std::int32_t sourceAt(std::int64_t i) const
    {
        return oneToOne ? sourceFirst + static_cast<std::int32_t>(i) : source[std::size_t(i)];
    }
};

// Equal lengths: a plain shift, clipped against both bitmaps at once.
AxisMap mapShift(
    std::int64_t d, std::int64_t len, std::int64_t s, std::int32_t dstLimit, std::int32_t srcLimit)
{
    AxisMap map;
    map.oneToOne = true;
    const std::int64_t from = std::max<std::int64_t>({ d, 0, d - s });
    const std::int64_t to = std::min<std::int64_t>({ d + len, dstLimit, d - s + srcLimit });
    if (from < to) {
        map.first = from;
        map.count = to - from;
        map.sourceFirst = static_cast<std::int32_t>(s + (from - d));
    }
    return map;
}

// Nearest neighbour along one axis, sampling at pixel centres so that equal
// sizes copy 1:1. Destination positions outside [0, dstLimit) and those that
// fall outside [0, srcLimit) in the source are left out; the mapping is
// monotone, so what remains is one run.
AxisMap mapAxis(std::int64_t d, std::int64_t dLen, std::int64_t s, std::int64_t sLen, std::int32_t dstLimit,
    std::int32_t srcLimit)
{
    if (dLen == sLen && dLen > 0)
        return mapShift(d, dLen, s, dstLimit, srcLimit);
    bool flip = false;
    if (dLen < 0) {
        d += dLen;
        dLen = -dLen;
        flip = !flip;
    }
    if (sLen < 0) {
        s += sLen;
        sLen = -sLen;
        flip = !flip;
    }
    AxisMap map;
    const std::int64_t from = std::max<std::int64_t>(d, 0);
    const std::int64_t to = std::min<std::int64_t>(d + dLen, dstLimit);
    for (std::int64_t p = from; p < to; ++p) {
        std::int64_t offset = ((p - d) * 2 + 1) * sLen / (dLen * 2);
        if (flip)
            offset = sLen - 1 - offset;
        const std::int64_t source = s + offset;
        if (source < 0 || source >= srcLimit) {
            if (!map.source.empty())
                break;
            continue;
        }
        if (map.source.empty())
            map.first = p;
        map.source.push_back(static_cast<std::int32_t>(source));
    }
    map.count = static_cast<std::int64_t>(map.source.size());
    return map;
}

enum class RowKind { General, SameFormat, Rgb24ToXrgb32, Indexed8ToRaw32 };

RowKind rowKind(const Bitmap& dst, const Bitmap& src)
{
    const PixelFormat& d = dst.format();
    const PixelFormat& s = src.format();
    if (d == s && s.bitCount >= 8
        && (s.bitCount > 8 || std::ranges::equal(dst.colorTable(), src.colorTable())))
        return RowKind::SameFormat;
    if (d == PixelFormat {} && s.bitCount == 24)
        return RowKind::Rgb24ToXrgb32;
    if (d.bitCount == 32 && s.bitCount == 8)
        return RowKind::Indexed8ToRaw32;
    return RowKind::General;
}

// Four pixels at a time from three whole words: byte by byte this loop was
// the larger part of loading a 24-bit sheet.
void copyRgb24ToXrgb32(const std::uint8_t* from, std::uint8_t* to, std::int32_t count)
{
    std::int32_t i = 0;
    for (; i + 4 <= count; i += 4, from += 12, to += 16) {
        std::uint32_t w[3];
        std::memcpy(w, from, 12);
        const std::uint32_t v[4] = {
            w[0] & 0xFFFFFF,
            (w[0] >> 24 | w[1] << 8) & 0xFFFFFF,
            (w[1] >> 16 | w[2] << 16) & 0xFFFFFF,
            w[2] >> 8,
        };
        std::memcpy(to, v, 16);
    }
    for (; i < count; ++i, from += 3, to += 4) {
        const std::uint32_t v
            = std::uint32_t(from[0]) | (std::uint32_t(from[1]) << 8) | (std::uint32_t(from[2]) << 16);
        std::memcpy(to, &v, 4);
    }
}

// The bits of a 16- or 32-bit value that some channel owns; all bits for the
// other layouts, whose bytes are all colour or index.
std::uint32_t channelBits(const PixelFormat& format)
{
    if (format.bitCount != 16 && format.bitCount != 32)
        return 0xFFFFFFFF;
    return format.redMask | format.greenMask | format.blueMask;
}

// The stored values go across as they are, less the bits that no channel
// owns: the fourth byte of a 32-bit pixel is alpha or padding in a file, and
// a raw value of the display (0x00RRGGBB) never carries it.
template <typename T>
void copyChannels(const std::uint8_t* from, std::uint8_t* to, std::int32_t count, std::uint32_t keep)
{
    const auto mask = static_cast<T>(keep);
    for (std::int32_t i = 0; i < count; ++i, from += sizeof(T), to += sizeof(T)) {
        T v;
        std::memcpy(&v, from, sizeof(T));
        v &= mask;
        std::memcpy(to, &v, sizeof(T));
    }
}

// The display's own format, four pixels at a time: the compiler does not turn
// the loop above into vector code at the optimisation level we build with,
// and a 32-bit sheet is copied whole on every load.
void copyChannels32(const std::uint8_t* from, std::uint8_t* to, std::int32_t count, std::uint32_t keep)
{
    std::int32_t i = 0;
#if defined(__SSE2__)
    const __m128i mask = _mm_set1_epi32(static_cast<int>(keep));
    for (; i + 4 <= count; i += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 4 * i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 4 * i), _mm_and_si128(v, mask));
    }
#endif
    copyChannels<std::uint32_t>(from + 4 * i, to + 4 * i, count - i, keep);
}

void copySameFormat(const std::uint8_t* from, std::uint8_t* to, std::int32_t count, const PixelFormat& format)
{
    const std::uint32_t keep = channelBits(format);
    const std::size_t bytes = format.bitCount / 8u;
    if (format.bitCount == 32 && keep != 0xFFFFFFFF)
        copyChannels32(from, to, count, keep);
    else if (format.bitCount == 16 && (keep & 0xFFFF) != 0xFFFF)
        copyChannels<std::uint16_t>(from, to, count, keep);
    else
        std::memcpy(to, from, std::size_t(count) * bytes);
}

void copyIndexed8ToRaw32(
    const std::uint8_t* from, std::uint8_t* to, std::int32_t count, const std::array<std::uint32_t, 256>& lut)
{
    for (std::int32_t i = 0; i < count; ++i, ++from, to += 4)
        std::memcpy(to, &lut[*from], 4);
}

HBITMAP snapshot(const Bitmap& bitmap)
{
    HBITMAP copy = makeBitmap(bitmap.width(), bitmap.height(), bitmap.format(), bitmap.topDown(), false);
    if (copy) {
        std::memcpy(copy->bits(), bitmap.bits(), bitmap.byteSize());
        copy->setColorTable(0, bitmap.colorTable());
    }
    return copy;
}

} // namespace

bool stretchCopy(Bitmap& dst, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
    const Bitmap& source, std::int32_t sx, std::int32_t sy, std::int32_t sw, std::int32_t sh)
{
    if (w == 0 || h == 0 || sw == 0 || sh == 0)
        return false;
    HBITMAP own;
    if (&dst == &source) {
        own = snapshot(source);
        if (!own)
            return false;
    }
    const Bitmap& src = own ? *own : source;
    const AxisMap cols = mapAxis(x, w, sx, sw, dst.width(), src.width());
    const AxisMap rows = mapAxis(y, h, sy, sh, dst.height(), src.height());
    if (cols.count == 0 || rows.count == 0)
        return true;

    const auto count = static_cast<std::int32_t>(cols.count);
    const auto dx = static_cast<std::int32_t>(cols.first);
    const std::int32_t sx0 = cols.sourceFirst;
    const RowKind kind = cols.oneToOne ? rowKind(dst, src) : RowKind::General;

    const PixelReader reader(src);
    const PixelWriter writer(dst);
    std::array<std::uint32_t, 256> lut {};
    if (kind == RowKind::Indexed8ToRaw32)
        for (std::uint32_t i = 0; i < 256; ++i)
            lut[i] = writer.raw(reader.indexColor(i));
    std::vector<std::uint32_t> colors(kind == RowKind::General ? std::size_t(count) : 0);

    for (std::int64_t r = 0; r < rows.count; ++r) {
        std::uint8_t* to = dst.scanLine(static_cast<std::int32_t>(rows.first + r));
        const std::uint8_t* from = src.scanLine(rows.sourceAt(r));
        switch (kind) {
        case RowKind::SameFormat: {
            const std::size_t bytes = dst.bitCount() / 8u;
            copySameFormat(
                from + std::size_t(sx0) * bytes, to + std::size_t(dx) * bytes, count, dst.format());
            break;
        }
        case RowKind::Rgb24ToXrgb32:
            copyRgb24ToXrgb32(from + std::size_t(sx0) * 3, to + std::size_t(dx) * 4, count);
            break;
        case RowKind::Indexed8ToRaw32:
            copyIndexed8ToRaw32(from + sx0, to + std::size_t(dx) * 4, count, lut);
            break;
        case RowKind::General:
            if (cols.oneToOne)
                reader.readRun(from, sx0, count, colors.data());
            else
                reader.read(from, cols.source, colors.data());
            writer.writeRun(to, dx, colors.data(), count);
            break;
        }
    }
    return true;
}

} // namespace detail

bool StretchBlt(DeviceContext& dst, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
    DeviceContext& src, std::int32_t sx, std::int32_t sy, std::int32_t sw, std::int32_t sh, std::uint32_t rop)
{
    if (rop != SRCCOPY || !dst.bitmap() || !src.bitmap())
        return false;
    return detail::stretchCopy(*dst.bitmap(), x, y, w, h, *src.bitmap(), sx, sy, sw, sh);
}

} // namespace platform
