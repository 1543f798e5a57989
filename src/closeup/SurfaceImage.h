#pragma once

// A copy of a surface's pixels for the windows that show them larger: the
// raw values as the surface holds them, their colours, and the colour key.
// The windows never draw from the surfaces themselves, so nothing they do
// can disturb a copy the player makes.

#include "display/ColorImage.h"
#include "display/DXDraws.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace closeup {

class SurfaceImage {
public:
    // Copies the pixels of `surface`; none, or an empty surface, gives an
    // empty image. Answers whether anything differs from what was held: the
    // size, a pixel or the colour key. A surface that cannot be read now
    // keeps the copy as it was.
    bool capture(TDirectDrawSurface* surface);
    // The pixels that the last capture changed: the box around every pixel
    // that differs, or the whole image when its size or key changed.
    const TRect& changed() const { return m_changed; }

    // As capture, but reads the pixels only when the surface holds another
    // platform surface or another colour key than at the last copy. Every
    // load makes a new platform surface, so this sees each reload of the
    // sheet without copying it on every frame.
    bool follow(TDirectDrawSurface* surface);

    // Holds a picture made rather than copied, as plain colours without a
    // key; answers as capture does.
    bool assign(const display::ColorImage& image);

    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    bool empty() const { return m_width == 0 || m_height == 0; }

    // 0 outside the image.
    std::uint32_t raw(std::int32_t x, std::int32_t y) const;
    const std::uint32_t* rawRow(std::int32_t y) const { return m_raw.data() + std::size_t(y) * m_width; }
    // 0x00RRGGBB of a raw value of this image's format.
    std::uint32_t color(std::uint32_t raw) const;
    bool keyed(std::uint32_t raw) const { return m_hasKey && raw == m_key; }
    bool hasKey() const { return m_hasKey; }
    std::uint32_t key() const { return m_key; }

private:
    struct Channel {
        std::uint32_t mask = 0;
        int shift = 0;
        int bits = 0;
        std::uint32_t toByte(std::uint32_t raw) const;
    };
    bool read(TDirectDrawSurface& surface, std::vector<std::uint32_t>& out);
    void setFormat(const platform::DDPIXELFORMAT& format);

    TRect m_changed;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::vector<std::uint32_t> m_raw;
    std::vector<std::uint32_t> m_scratch;
    bool m_hasKey = false;
    std::uint32_t m_key = 0;
    std::uint32_t m_bitCount = 32;
    bool m_directColor = true; // 0x00RRGGBB as it is
    Channel m_red;
    Channel m_green;
    Channel m_blue;
    std::weak_ptr<platform::SoftSurface> m_source;
    bool m_followed = false;
};

} // namespace closeup
