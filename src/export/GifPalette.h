#pragma once

// The colour table of an animated GIF and the mapping of frames onto it.
// Pixel art and 8-bit sheets rarely use more than 256 colours, and then the
// table holds exactly those colours and nothing changes. Past 256 the frames
// are quantised together, so that every frame shares one table, without
// dithering: dither noise would differ from frame to frame and defeat the
// changed-rectangle storage (and it flickers).

#include "export/Image.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

struct liq_attr;
struct liq_result;

namespace exporter {

inline constexpr std::size_t kMaxPaletteColours = 256;

class GifPalette {
public:
    // Raises EGifError when the quantiser fails.
    explicit GifPalette(std::span<const Image* const> frames);
    ~GifPalette();
    GifPalette(const GifPalette&) = delete;
    GifPalette& operator=(const GifPalette&) = delete;

    bool exact() const { return m_quantised == nullptr; }
    // At most 256 colours, 0x00RRGGBB.
    const std::vector<std::uint32_t>& colours() const { return m_colours; }

    // The frame's pixels as indexes into colours(), rows top-down.
    void index(const Image& frame, std::vector<std::uint8_t>& out) const;

private:
    // Open addressing over the 24-bit colours; kEmpty is no colour.
    static constexpr std::size_t kSlots = 1024;
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;
    bool addExact(std::uint32_t colour);
    std::size_t slotOf(std::uint32_t colour) const;
    void quantise(std::span<const Image* const> frames);

    std::array<std::uint32_t, kSlots> m_keys;
    std::array<std::uint8_t, kSlots> m_values {};
    std::vector<std::uint32_t> m_colours;

    struct LiqDeleter {
        void operator()(liq_attr* attr) const;
        void operator()(liq_result* result) const;
    };
    std::unique_ptr<liq_attr, LiqDeleter> m_attr;
    std::unique_ptr<liq_result, LiqDeleter> m_quantised;
};

} // namespace exporter
