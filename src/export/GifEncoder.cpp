#include "export/GifEncoder.h"

#include "export/AtomicFile.h"
#include "export/ExportConsts.h"
#include "export/GifPalette.h"
#include "export/GifTiming.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace exporter {

namespace {

constexpr std::int64_t kMaxGifSide = 65535;

struct Rect {
    std::int32_t left = 0, top = 0, width = 0, height = 0;
};

// The smallest rectangle holding every index that differs; empty when the
// frames are the same.
Rect changedRect(const std::vector<std::uint8_t>& before, const std::vector<std::uint8_t>& after,
    std::int32_t width, std::int32_t height)
{
    std::int32_t left = width, right = -1, top = -1, bottom = -1;
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* a = before.data() + static_cast<std::size_t>(y) * width;
        const std::uint8_t* b = after.data() + static_cast<std::size_t>(y) * width;
        if (std::memcmp(a, b, static_cast<std::size_t>(width)) == 0)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        std::int32_t x = 0;
        while (a[x] == b[x])
            ++x;
        left = std::min(left, x);
        x = width - 1;
        while (a[x] == b[x])
            --x;
        right = std::max(right, x);
    }
    if (top < 0)
        return {};
    return { left, top, right - left + 1, bottom - top + 1 };
}

// What the file holds of one frame: its rectangle's indexes, where a pixel
// that the frame before already shows is the transparent index (long runs of
// it compress far better than the pixels themselves).
struct StoredFrame {
    Rect rect;
    std::vector<std::uint8_t> pixels;
    int transparent = NO_TRANSPARENT_COLOR;
    std::uint8_t corner = 0; // the whole frame's top-left index
};

int bitsFor(std::size_t entries)
{
    int bits = 1;
    while ((std::size_t { 1 } << bits) < entries)
        ++bits;
    return bits;
}

StoredFrame storeFrame(const std::vector<std::uint8_t>* before, const std::vector<std::uint8_t>& after,
    const Rect& rect, std::int32_t width, int transparent)
{
    StoredFrame stored { rect, {}, before != nullptr ? transparent : NO_TRANSPARENT_COLOR, after[0] };
    stored.pixels.resize(static_cast<std::size_t>(rect.width) * rect.height);
    std::uint8_t* out = stored.pixels.data();
    for (std::int32_t y = rect.top; y < rect.top + rect.height; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * width + rect.left;
        const std::uint8_t* now = after.data() + row;
        if (stored.transparent == NO_TRANSPARENT_COLOR) {
            out = std::copy_n(now, rect.width, out);
            continue;
        }
        // A pixel left as it was may as well repeat the colour just written:
        // either way it shows the same, and the longer run packs better.
        const std::uint8_t* was = before->data() + row;
        const auto clear = static_cast<std::uint8_t>(transparent);
        std::uint8_t last = clear;
        for (std::int32_t x = 0; x < rect.width; ++x) {
            last = now[x] != was[x] || now[x] == last ? now[x] : clear;
            *out++ = last;
        }
    }
    return stored;
}

class GifWriter {
public:
    GifWriter(std::int32_t width, std::int32_t height, int scale, const std::vector<std::uint32_t>& colours,
        std::size_t tableSize, bool loop)
        : m_scale(scale)
        , m_row(static_cast<std::size_t>(width) * scale)
    {
        int error = 0;
        m_gif = EGifOpen(&m_bytes, &GifWriter::output, &error);
        if (m_gif == nullptr)
            throw EGifError(kSGifError);
        // Sequential writing must ask for GIF89a before the screen
        // descriptor, or the extensions below make an invalid GIF87a.
        EGifSetGifVersion(m_gif, true);
        ColorMapObject* map = colourMap(colours, tableSize);
        const int status = EGifPutScreenDesc(m_gif, width * scale, height * scale, 8, 0, map);
        GifFreeMapObject(map);
        check(status);
        if (loop)
            loopForever();
    }
    ~GifWriter()
    {
        if (m_gif != nullptr)
            EGifCloseFile(m_gif, nullptr);
    }
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    // Writes a stored frame, shown for `delayCs`; delays past the field's
    // range go on in repeats of its top-left pixel.
    void frame(const StoredFrame& stored, std::int64_t delayCs)
    {
        putFrame(stored.rect, stored.pixels.data(), stored.transparent,
            std::min<std::int64_t>(delayCs, kMaxDelayCs));
        for (delayCs -= kMaxDelayCs; delayCs > 0; delayCs -= kMaxDelayCs)
            putFrame(Rect { 0, 0, 1, 1 }, &stored.corner, NO_TRANSPARENT_COLOR,
                std::clamp<std::int64_t>(delayCs, kMinDelayCs, kMaxDelayCs));
    }

    std::vector<std::uint8_t> finish()
    {
        GifFileType* gif = m_gif;
        m_gif = nullptr;
        int error = 0;
        if (EGifCloseFile(gif, &error) != GIF_OK)
            throw EGifError(kSGifError);
        return std::move(m_bytes);
    }

private:
    // giflib wants a table whose size is a power of two; the rest is black.
    ColorMapObject* colourMap(const std::vector<std::uint32_t>& colours, std::size_t entries)
    {
        const std::size_t size = std::size_t { 1 } << bitsFor(entries);
        ColorMapObject* map = GifMakeMapObject(static_cast<int>(size), nullptr);
        if (map == nullptr)
            fail();
        for (std::size_t i = 0; i < size; ++i) {
            const std::uint32_t c = i < colours.size() ? colours[i] : 0;
            map->Colors[i] = GifColorType { static_cast<GifByteType>(c >> 16),
                static_cast<GifByteType>(c >> 8), static_cast<GifByteType>(c) };
        }
        return map;
    }

    static int output(GifFileType* gif, const GifByteType* data, int length)
    {
        auto* bytes = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
        bytes->insert(bytes->end(), data, data + length);
        return length;
    }

    [[noreturn]] void fail()
    {
        EGifCloseFile(m_gif, nullptr);
        m_gif = nullptr;
        throw EGifError(kSGifError);
    }
    void check(int status)
    {
        if (status != GIF_OK)
            fail();
    }

    void loopForever()
    {
        static constexpr char kNetscape[] = "NETSCAPE2.0";
        static constexpr std::array<GifByteType, 3> kLoop { 1, 0, 0 }; // sub-block 1, count 0: for ever
        check(EGifPutExtensionLeader(m_gif, APPLICATION_EXT_FUNC_CODE));
        check(EGifPutExtensionBlock(m_gif, 11, kNetscape));
        check(EGifPutExtensionBlock(m_gif, static_cast<int>(kLoop.size()), kLoop.data()));
        check(EGifPutExtensionTrailer(m_gif));
    }

    void putFrame(const Rect& rect, const std::uint8_t* pixels, int transparent, std::int64_t delayCs)
    {
        GraphicsControlBlock control {};
        control.DisposalMode = DISPOSE_DO_NOT;
        control.UserInputFlag = false;
        control.DelayTime = static_cast<int>(delayCs);
        control.TransparentColor = transparent;
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&control, extension);
        check(EGifPutExtension(m_gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension));
        check(EGifPutImageDesc(m_gif, rect.left * m_scale, rect.top * m_scale, rect.width * m_scale,
            rect.height * m_scale, false, nullptr));
        const int rowWidth = rect.width * m_scale;
        for (std::int32_t y = 0; y < rect.height; ++y) {
            const std::uint8_t* source = pixels + static_cast<std::size_t>(y) * rect.width;
            if (m_scale == 1) {
                std::copy_n(source, rect.width, m_row.begin());
            } else {
                for (std::int32_t x = 0; x < rect.width; ++x)
                    std::fill_n(m_row.begin() + static_cast<std::ptrdiff_t>(x) * m_scale, m_scale, source[x]);
            }
            for (int copy = 0; copy < m_scale; ++copy)
                check(EGifPutLine(m_gif, m_row.data(), rowWidth));
        }
    }

    GifFileType* m_gif = nullptr;
    int m_scale;
    std::vector<GifByteType> m_row;
    std::vector<std::uint8_t> m_bytes;
};

void checkFrames(std::span<const TimedImage> frames, int scale)
{
    if (frames.empty())
        throw EGifError(kSNoFrames);
    const Image& first = *frames.front().image;
    for (const TimedImage& frame : frames) {
        if (frame.image->width != first.width || frame.image->height != first.height)
            throw EGifError(kSFrameSizes);
    }
    if (scale < 1 || scale > kMaxScale || first.width <= 0 || first.height <= 0
        || static_cast<std::int64_t>(first.width) * scale > kMaxGifSide
        || static_cast<std::int64_t>(first.height) * scale > kMaxGifSide)
        throw EGifError(kSImageTooLarge);
}

} // namespace

namespace {

// `exactOnly`: nothing when the colours do not fit a table exactly.
std::vector<std::uint8_t> encodeGif(std::span<const TimedImage> frames, int scale, bool loop, bool exactOnly)
{
    checkFrames(frames, scale);
    std::vector<const Image*> images;
    images.reserve(frames.size());
    for (const TimedImage& frame : frames)
        images.push_back(frame.image);
    const GifPalette palette(images);
    if (exactOnly && !palette.exact())
        return {};
    const std::int32_t width = images.front()->width;
    const std::int32_t height = images.front()->height;
    // A spare index of the table marks the pixels that stay as they were.
    const std::vector<std::uint32_t>& colours = palette.colours();
    const int transparent
        = colours.size() < kMaxPaletteColours ? static_cast<int>(colours.size()) : NO_TRANSPARENT_COLOR;

    // A frame is written once the next different one shows how long it
    // lasted; identical frames in between only add their time to it.
    std::vector<std::uint8_t> shown, next;
    GifWriter writer(width, height, scale, colours, colours.size() + (transparent >= 0 ? 1 : 0), loop);
    DelayClock clock;
    palette.index(*images.front(), shown);
    StoredFrame pending = storeFrame(nullptr, shown, Rect { 0, 0, width, height }, width, transparent);
    std::int64_t pendingMs = std::max<std::int64_t>(frames.front().intervalMs, 0);
    for (std::size_t i = 1; i < frames.size(); ++i) {
        palette.index(*images[i], next);
        const Rect changed = changedRect(shown, next, width, height);
        if (changed.width == 0) {
            pendingMs += std::max<std::int64_t>(frames[i].intervalMs, 0);
            continue;
        }
        writer.frame(pending, clock.next(pendingMs));
        pending = storeFrame(&shown, next, changed, width, transparent);
        shown.swap(next);
        pendingMs = std::max<std::int64_t>(frames[i].intervalMs, 0);
    }
    writer.frame(pending, clock.next(pendingMs));
    return writer.finish();
}

} // namespace

std::vector<std::uint8_t> encodeAnimatedGif(std::span<const TimedImage> frames, int scale)
{
    return encodeGif(frames, scale, true, false);
}

std::vector<std::uint8_t> encodeStillGif(const Image& image)
{
    if (image.width <= 0 || image.height <= 0 || image.width > kMaxGifSide || image.height > kMaxGifSide)
        return {};
    const TimedImage frame { &image, 0 };
    return encodeGif(std::span(&frame, 1), 1, false, true);
}

void writeAnimatedGif(const std::string& path, std::span<const TimedImage> frames, int scale)
{
    const std::vector<std::uint8_t> bytes = encodeAnimatedGif(frames, scale);
    writeFileAtomically(path, bytes);
}

} // namespace exporter
