#pragma once

// Colour conversion between pixel formats, shared by the stretch copy and the
// pixel reads of bitmaps. Colours travel as 0x00RRGGBB; channels narrower
// than 8 bits are widened by bit replication so that full intensity stays
// full intensity.

#include "platform/Gdi.h"

#include <array>
#include <cstdint>
#include <span>

namespace platform::detail {

bool isContiguousMask(std::uint32_t mask);

// One channel of a masked (16- or 32-bit) format.
class Channel {
public:
    Channel() = default;
    explicit Channel(std::uint32_t mask);

    std::uint32_t toByte(std::uint32_t raw) const
    {
        const std::uint32_t v = (raw & m_mask) >> m_shift;
        return m_bits > 8 ? v >> (m_bits - 8) : m_widen[v & 0xFF];
    }
    std::uint32_t fromByte(std::uint32_t value) const;

private:
    std::uint32_t m_mask = 0;
    int m_shift = 0;
    int m_bits = 0;
    std::array<std::uint8_t, 256> m_widen {};
};

// Reads the pixels of one bitmap as colours.
class PixelReader {
public:
    explicit PixelReader(const Bitmap& bitmap);

    std::uint32_t at(const std::uint8_t* row, std::int32_t x) const;
    // Colours of the pixels at the given columns of a row.
    void read(const std::uint8_t* row, std::span<const std::int32_t> columns, std::uint32_t* out) const;
    // Colours of `count` consecutive pixels from column x.
    void readRun(const std::uint8_t* row, std::int32_t x, std::int32_t count, std::uint32_t* out) const;

    std::uint32_t indexColor(std::uint32_t index) const { return m_table[index & 0xFF]; }

private:
    std::uint16_t m_bitCount;
    Channel m_red;
    Channel m_green;
    Channel m_blue;
    std::array<std::uint32_t, 256> m_table {};
};

// Writes colours into the pixels of one bitmap. Indexed bitmaps take the
// nearest entry of their colour table; a small cache keeps that affordable.
class PixelWriter {
public:
    explicit PixelWriter(const Bitmap& bitmap);

    std::uint32_t raw(std::uint32_t rgb) const;
    void writeRun(std::uint8_t* row, std::int32_t x, const std::uint32_t* colors, std::int32_t count) const;

private:
    std::uint32_t nearestIndex(std::uint32_t rgb) const;

    std::uint16_t m_bitCount;
    Channel m_red;
    Channel m_green;
    Channel m_blue;
    std::span<const RgbQuad> m_table;
    mutable std::array<std::uint64_t, 4096> m_cache {};
};

std::uint32_t nearestEntry(std::span<const RgbQuad> table, std::uint32_t rgb);

inline std::uint32_t quadColor(const RgbQuad& q)
{
    return (std::uint32_t(q.rgbRed) << 16) | (std::uint32_t(q.rgbGreen) << 8) | q.rgbBlue;
}

} // namespace platform::detail

namespace platform::detail {

// The stretch copy between two bitmaps behind StretchBlt and StretchDIBits.
bool stretchCopy(Bitmap& dst, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
    const Bitmap& src, std::int32_t sx, std::int32_t sy, std::int32_t sw, std::int32_t sh);

} // namespace platform::detail
