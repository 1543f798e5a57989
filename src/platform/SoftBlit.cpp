// The copies and fills of the software display. Each decides its rectangles
// first and refuses or returns before touching a pixel; the loops after that
// run whole rows without per-pixel checks.

#include "platform/SoftDisplay.h"

#include "platform/SoftDisplayState.h"

#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {

// Where a piece of a copy lands: pixel memory and the offset from surface
// coordinates (screen coordinates for the primary) to its coordinates.
struct SoftSurface::Target {
    Bitmap* bitmap;
    TRect rect; // surface coordinates, inside the bitmap
    TPoint offset;
    SoftWindow* window;
};

namespace {

std::size_t bytesPerPixel(const PixelFormat& format)
{
    return format.bitCount / 8;
}

// Branch-free so that the compiler can run it on whole vectors: every
// destination pixel is written, with its old value where the source has the
// key. The caller has made sure that the key fits in T.
template <typename T>
void keyedRow(std::uint8_t* dst, const std::uint8_t* src, std::int32_t count, std::uint32_t key)
{
    const T k = static_cast<T>(key);
    for (std::int32_t i = 0; i < count; ++i) {
        T from;
        T to;
        std::memcpy(&from, src + i * sizeof(T), sizeof(T));
        std::memcpy(&to, dst + i * sizeof(T), sizeof(T));
        const T out = (from == k) ? to : from;
        std::memcpy(dst + i * sizeof(T), &out, sizeof(T));
    }
}

#if defined(__SSE2__)
// The display's own format, four pixels at a time: the compiler does not
// turn the loop above into vector code at the optimisation level we build
// with, and the keyed copies are most of a frame's work.
void keyedRow32(std::uint8_t* dst, const std::uint8_t* src, std::int32_t count, std::uint32_t key)
{
    const __m128i k = _mm_set1_epi32(static_cast<int>(key));
    std::int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i from = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 4 * i));
        const __m128i to = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + 4 * i));
        const __m128i keep = _mm_cmpeq_epi32(from, k);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 4 * i),
            _mm_or_si128(_mm_and_si128(keep, to), _mm_andnot_si128(keep, from)));
    }
    keyedRow<std::uint32_t>(dst + 4 * i, src + 4 * i, count - i, key);
}
#endif

void keyedRow24(std::uint8_t* dst, const std::uint8_t* src, std::int32_t count, std::uint32_t key)
{
    for (std::int32_t i = 0; i < count; ++i) {
        const std::uint8_t* s = src + 3 * i;
        const std::uint32_t value = s[0] | (s[1] << 8) | (static_cast<std::uint32_t>(s[2]) << 16);
        if (value != key)
            std::memcpy(dst + 3 * i, s, 3);
    }
}

using RowCopy = void (*)(std::uint8_t*, const std::uint8_t*, std::int32_t, std::uint32_t);

RowCopy keyedRowFor(std::size_t bytes)
{
    switch (bytes) {
    case 1:
        return &keyedRow<std::uint8_t>;
    case 2:
        return &keyedRow<std::uint16_t>;
    case 3:
        return &keyedRow24;
    default:
#if defined(__SSE2__)
        return &keyedRow32;
#else
        return &keyedRow<std::uint32_t>;
#endif
    }
}

// Rows of a rectangle of one surface, taken aside when a copy reads and
// writes the same memory.
std::vector<std::uint8_t> copyAside(
    const Bitmap& bitmap, const TRect& rect, std::size_t bpp, std::size_t& stride)
{
    stride = static_cast<std::size_t>(rect.width()) * bpp;
    std::vector<std::uint8_t> rows(stride * static_cast<std::size_t>(rect.height()));
    for (std::int32_t y = 0; y < rect.height(); ++y)
        std::memcpy(rows.data() + y * stride, bitmap.scanLine(rect.Top + y) + rect.Left * bpp, stride);
    return rows;
}

} // namespace

HRESULT SoftSurface::checkSource(const SoftSurface* source) const
{
    if (!source)
        return kErrInvalidParams;
    if (source->m_primary)
        return kErrNotOnPrimary;
    if (source->m_lost)
        return DDERR_SURFACELOST;
    if (source != this && (source->m_locked || source->m_dc))
        return kErrSurfaceBusy;
    if (!(source->m_format == m_format) || m_format.bitCount < 8)
        return kErrFormatMismatch;
    return DD_OK;
}

HRESULT SoftSurface::bltFast(
    std::int32_t x, std::int32_t y, SoftSurface* source, const TRect* sourceRect, std::uint32_t flags)
{
    if (m_primary)
        return kErrNotOnPrimary;
    if (const HRESULT hr = checkUsable(); hr != DD_OK)
        return hr;
    if (flags & ~(DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT))
        return kErrUnsupported;
    if (const HRESULT hr = checkSource(source); hr != DD_OK)
        return hr;
    const TRect from = sourceRect ? *sourceRect : TRect { 0, 0, source->m_width, source->m_height };
    if (isEmpty(from) || !contains(TRect { 0, 0, source->m_width, source->m_height }, from))
        return kErrInvalidRect;
    const std::int64_t right = std::int64_t { x } + from.width();
    const std::int64_t bottom = std::int64_t { y } + from.height();
    if (x < 0 || y < 0 || right > m_width || bottom > m_height)
        return kErrInvalidRect;
    if ((flags & DDBLTFAST_SRCCOLORKEY) && !source->m_hasKey)
        return kErrNoColorKey;
    // A key wider than the pixels matches none of them.
    const std::uint64_t largest = (std::uint64_t { 1 } << m_format.bitCount) - 1;
    const bool keyed = (flags & DDBLTFAST_SRCCOLORKEY) && source->m_key <= largest;

    const std::size_t bpp = bytesPerPixel(m_format);
    const std::size_t rowBytes = static_cast<std::size_t>(from.width()) * bpp;
    std::vector<std::uint8_t> aside;
    std::size_t srcStride = source->m_pixels->stride();
    const std::uint8_t* src = source->m_pixels->scanLine(from.Top) + from.Left * bpp;
    if (source == this) {
        aside = copyAside(*m_pixels, from, bpp, srcStride);
        src = aside.data();
    }
    std::uint8_t* dst = m_pixels->scanLine(y) + x * bpp;
    const std::size_t dstStride = m_pixels->stride();
    if (!keyed) {
        for (std::int32_t row = 0; row < from.height(); ++row)
            std::memcpy(dst + row * dstStride, src + row * srcStride, rowBytes);
        return DD_OK;
    }
    const RowCopy copy = keyedRowFor(bpp);
    for (std::int32_t row = 0; row < from.height(); ++row)
        copy(dst + row * dstStride, src + row * srcStride, from.width(), source->m_key);
    return DD_OK;
}

// The pieces of `dest` that a copy may touch. Without a clipper the
// destination must lie within the surface; with one it is cut to the
// clipper's rectangles. The primary has no memory of its own: its pieces lie
// in the window that its clipper is bound to, or nowhere.
HRESULT SoftSurface::targetsFor(const TRect& dest, std::vector<Target>& targets) const
{
    targets.clear();
    const TRect bounds { 0, 0, m_width, m_height };
    if (!m_clipper) {
        if (!contains(bounds, dest))
            return kErrInvalidRect;
        if (!m_primary)
            targets.push_back(Target { m_pixels.get(), dest, TPoint {}, nullptr });
        return DD_OK;
    }
    if (!m_primary) {
        for (const TRect& clip : m_clipper->clipRects()) {
            const TRect piece = intersect(intersect(clip, dest), bounds);
            if (!isEmpty(piece))
                targets.push_back(Target { m_pixels.get(), piece, TPoint {}, nullptr });
        }
        return DD_OK;
    }
    const std::shared_ptr<SoftWindow> window = m_clipper->window();
    if (!window || !window->pixels())
        return DD_OK;
    if (!(window->pixels()->format() == m_format))
        return kErrFormatMismatch;
    const TPoint origin = window->screenOrigin();
    const TRect client { origin.X, origin.Y, origin.X + window->width(), origin.Y + window->height() };
    for (const TRect& clip : m_clipper->clipRects()) {
        const TRect piece = intersect(intersect(clip, dest), client);
        if (!isEmpty(piece))
            targets.push_back(
                Target { window->pixels().get(), piece, TPoint { -origin.X, -origin.Y }, window.get() });
    }
    return DD_OK;
}

HRESULT SoftSurface::blt(const TRect* destRect, SoftSurface* source, const TRect* sourceRect,
    std::uint32_t flags, const DDBLTFX* fx)
{
    if (const HRESULT hr = checkUsable(); hr != DD_OK)
        return hr;
    if (flags & ~(DDBLT_COLORFILL | DDBLT_WAIT))
        return kErrUnsupported;
    const TRect dest = destRect ? *destRect : TRect { 0, 0, m_width, m_height };
    if (isEmpty(dest))
        return kErrInvalidRect;
    const bool fill = flags & DDBLT_COLORFILL;
    TRect from;
    if (fill) {
        if (!fx || m_format.bitCount < 8)
            return kErrInvalidParams;
    } else {
        if (const HRESULT hr = checkSource(source); hr != DD_OK)
            return hr;
        from = sourceRect ? *sourceRect : TRect { 0, 0, source->m_width, source->m_height };
        if (isEmpty(from) || !contains(TRect { 0, 0, source->m_width, source->m_height }, from))
            return kErrInvalidRect;
    }
    std::vector<Target> targets;
    if (const HRESULT hr = targetsFor(dest, targets); hr != DD_OK)
        return hr;
    if (fill)
        fillTargets(targets, dest, fx->dwFillColor);
    else
        copyTargets(targets, dest, *source, from);
    for (const Target& t : targets) {
        if (t.window && t.window->OnPresented) {
            t.window->OnPresented();
            break;
        }
    }
    return DD_OK;
}

void SoftSurface::fillTargets(const std::vector<Target>& targets, const TRect& dest, std::uint32_t value)
{
    // Bits that no channel owns stay 0, as in every pixel of the display.
    if (m_format.bitCount == 16 || m_format.bitCount == 32)
        value &= m_format.redMask | m_format.greenMask | m_format.blueMask;
    // One row of the fill value, copied onto every row.
    const std::size_t bpp = bytesPerPixel(m_format);
    std::vector<std::uint8_t> pattern(static_cast<std::size_t>(dest.width()) * bpp);
    for (std::size_t i = 0; i < pattern.size(); i += bpp)
        std::memcpy(pattern.data() + i, &value, bpp);
    for (const Target& t : targets) {
        const std::size_t rowBytes = static_cast<std::size_t>(t.rect.width()) * bpp;
        for (std::int32_t y = t.rect.Top; y < t.rect.Bottom; ++y)
            std::memcpy(t.bitmap->scanLine(y + t.offset.Y) + (t.rect.Left + t.offset.X) * bpp, pattern.data(),
                rowBytes);
    }
}

void SoftSurface::copyTargets(
    const std::vector<Target>& targets, const TRect& dest, SoftSurface& source, const TRect& from)
{
    const std::size_t bpp = bytesPerPixel(m_format);
    std::vector<std::uint8_t> aside;
    std::size_t srcStride = source.m_pixels->stride();
    const std::uint8_t* src = source.m_pixels->scanLine(from.Top) + from.Left * bpp;
    if (&source == this) {
        aside = copyAside(*m_pixels, from, bpp, srcStride);
        src = aside.data();
    }
    // Nearest-neighbour source columns of the destination columns.
    const bool stretched = from.width() != dest.width() || from.height() != dest.height();
    std::vector<std::int32_t> columns;
    if (stretched) {
        columns.resize(static_cast<std::size_t>(dest.width()));
        for (std::int32_t x = 0; x < dest.width(); ++x)
            columns[x] = static_cast<std::int32_t>(std::int64_t { x } * from.width() / dest.width());
    }
    for (const Target& t : targets) {
        const std::size_t rowBytes = static_cast<std::size_t>(t.rect.width()) * bpp;
        const std::int32_t dx = t.rect.Left - dest.Left;
        for (std::int32_t y = t.rect.Top; y < t.rect.Bottom; ++y) {
            std::uint8_t* out = t.bitmap->scanLine(y + t.offset.Y) + (t.rect.Left + t.offset.X) * bpp;
            const std::int32_t dy = y - dest.Top;
            const std::int32_t sy = stretched
                ? static_cast<std::int32_t>(std::int64_t { dy } * from.height() / dest.height())
                : dy;
            const std::uint8_t* in = src + sy * srcStride;
            if (!stretched) {
                std::memcpy(out, in + dx * bpp, rowBytes);
                continue;
            }
            for (std::int32_t x = 0; x < t.rect.width(); ++x)
                std::memcpy(out + x * bpp, in + columns[dx + x] * bpp, bpp);
        }
    }
}

} // namespace platform
