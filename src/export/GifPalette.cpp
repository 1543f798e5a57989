#include "export/GifPalette.h"

#include "export/ExportConsts.h"

#include <libimagequant.h>

namespace exporter {

namespace {

std::vector<std::uint8_t> rgbaOf(const Image& frame)
{
    std::vector<std::uint8_t> rgba(frame.pixels.size() * 4);
    std::uint8_t* out = rgba.data();
    for (const std::uint32_t pixel : frame.pixels) {
        *out++ = static_cast<std::uint8_t>(pixel >> 16);
        *out++ = static_cast<std::uint8_t>(pixel >> 8);
        *out++ = static_cast<std::uint8_t>(pixel);
        *out++ = 0xFF;
    }
    return rgba;
}

// One frame as the quantiser's image; the pixels must outlive it.
struct LiqImage {
    LiqImage(liq_attr* attr, const Image& frame)
        : rgba(rgbaOf(frame))
        , image(liq_image_create_rgba(attr, rgba.data(), frame.width, frame.height, 0))
    {
        if (image == nullptr)
            throw EGifError(kSGifError);
    }
    ~LiqImage() { liq_image_destroy(image); }
    LiqImage(const LiqImage&) = delete;
    LiqImage& operator=(const LiqImage&) = delete;

    std::vector<std::uint8_t> rgba;
    liq_image* image;
};

} // namespace

void GifPalette::LiqDeleter::operator()(liq_attr* attr) const
{
    liq_attr_destroy(attr);
}

void GifPalette::LiqDeleter::operator()(liq_result* result) const
{
    liq_result_destroy(result);
}

GifPalette::GifPalette(std::span<const Image* const> frames)
{
    m_keys.fill(kEmpty);
    for (const Image* frame : frames) {
        std::uint32_t last = kEmpty;
        for (const std::uint32_t pixel : frame->pixels) {
            if (pixel == last)
                continue;
            last = pixel;
            if (!addExact(pixel)) {
                quantise(frames);
                return;
            }
        }
    }
}

GifPalette::~GifPalette() = default;

std::size_t GifPalette::slotOf(std::uint32_t colour) const
{
    std::size_t slot = (colour * 2654435761u) >> 22; // 10 bits: kSlots
    while (m_keys[slot] != colour && m_keys[slot] != kEmpty)
        slot = (slot + 1) & (kSlots - 1);
    return slot;
}

bool GifPalette::addExact(std::uint32_t colour)
{
    const std::size_t slot = slotOf(colour);
    if (m_keys[slot] == colour)
        return true;
    if (m_colours.size() == kMaxPaletteColours)
        return false;
    m_keys[slot] = colour;
    m_values[slot] = static_cast<std::uint8_t>(m_colours.size());
    m_colours.push_back(colour);
    return true;
}

void GifPalette::quantise(std::span<const Image* const> frames)
{
    m_colours.clear();
    m_attr.reset(liq_attr_create());
    if (!m_attr)
        throw EGifError(kSGifError);
    // One index stays free for the pixels that a frame leaves as they were.
    liq_set_max_colors(m_attr.get(), static_cast<int>(kMaxPaletteColours) - 1);
    liq_histogram* histogram = liq_histogram_create(m_attr.get());
    if (histogram == nullptr)
        throw EGifError(kSGifError);
    liq_result* result = nullptr;
    liq_error status = LIQ_OK;
    for (const Image* frame : frames) {
        const LiqImage image(m_attr.get(), *frame);
        status = liq_histogram_add_image(histogram, m_attr.get(), image.image);
        if (status != LIQ_OK)
            break;
    }
    if (status == LIQ_OK)
        status = liq_histogram_quantize(histogram, m_attr.get(), &result);
    liq_histogram_destroy(histogram);
    if (status != LIQ_OK || result == nullptr)
        throw EGifError(kSGifError);
    m_quantised.reset(result);
    liq_set_dithering_level(result, 0.0f);
    const liq_palette* palette = liq_get_palette(result);
    for (unsigned i = 0; i < palette->count && i < kMaxPaletteColours; ++i) {
        const liq_color& c = palette->entries[i];
        m_colours.push_back(
            static_cast<std::uint32_t>(c.r) << 16 | static_cast<std::uint32_t>(c.g) << 8 | c.b);
    }
}

void GifPalette::index(const Image& frame, std::vector<std::uint8_t>& out) const
{
    out.resize(frame.pixels.size());
    if (m_quantised) {
        const LiqImage image(m_attr.get(), frame);
        if (liq_write_remapped_image(m_quantised.get(), image.image, out.data(), out.size()) != LIQ_OK)
            throw EGifError(kSGifError);
        return;
    }
    std::uint32_t last = kEmpty;
    std::uint8_t lastIndex = 0;
    std::uint8_t* dest = out.data();
    for (const std::uint32_t pixel : frame.pixels) {
        if (pixel != last) {
            last = pixel;
            lastIndex = m_values[slotOf(pixel)];
        }
        *dest++ = lastIndex;
    }
}

} // namespace exporter
