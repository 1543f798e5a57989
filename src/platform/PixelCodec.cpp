#include "platform/PixelCodec.h"

#include <bit>
#include <cstring>
#include <limits>

namespace platform::detail {

bool isContiguousMask(std::uint32_t mask)
{
    if (mask == 0)
        return false;
    const std::uint32_t shifted = mask >> std::countr_zero(mask);
    return (shifted & (shifted + 1)) == 0;
}

Channel::Channel(std::uint32_t mask)
    : m_mask(mask)
{
    if (mask == 0)
        return;
    m_shift = std::countr_zero(mask);
    m_bits = std::popcount(mask);
    if (m_bits > 8)
        return;
    const std::uint32_t top = (1u << m_bits) - 1;
    for (std::uint32_t v = 0; v <= top; ++v) {
        std::uint32_t widened = v << (8 - m_bits);
        for (int filled = m_bits; filled < 8; filled *= 2)
            widened |= widened >> filled;
        m_widen[v] = static_cast<std::uint8_t>(widened & 0xFF);
    }
}

std::uint32_t Channel::fromByte(std::uint32_t value) const
{
    if (m_bits == 0)
        return 0;
    std::uint64_t v;
    if (m_bits <= 8) {
        v = value >> (8 - m_bits);
    } else {
        // Wider than a byte: scale so that 255 fills the channel.
        const std::uint64_t top = (std::uint64_t(1) << m_bits) - 1;
        v = (value * top + 127) / 255;
    }
    return static_cast<std::uint32_t>(v << m_shift) & m_mask;
}

PixelReader::PixelReader(const Bitmap& bitmap)
    : m_bitCount(bitmap.bitCount())
{
    const PixelFormat& f = bitmap.format();
    if (m_bitCount == 16 || m_bitCount == 32) {
        m_red = Channel(f.redMask);
        m_green = Channel(f.greenMask);
        m_blue = Channel(f.blueMask);
    }
    const auto colors = bitmap.colorTable();
    for (std::size_t i = 0; i < colors.size() && i < m_table.size(); ++i)
        m_table[i] = quadColor(colors[i]);
}

std::uint32_t PixelReader::at(const std::uint8_t* row, std::int32_t x) const
{
    const auto ux = static_cast<std::size_t>(x);
    switch (m_bitCount) {
    case 1:
        return m_table[(row[ux >> 3] >> (7 - (ux & 7))) & 1];
    case 4:
        return m_table[(ux & 1) ? row[ux >> 1] & 0x0F : row[ux >> 1] >> 4];
    case 8:
        return m_table[row[ux]];
    case 16: {
        std::uint16_t p;
        std::memcpy(&p, row + ux * 2, 2);
        return (m_red.toByte(p) << 16) | (m_green.toByte(p) << 8) | m_blue.toByte(p);
    }
    case 24: {
        const std::uint8_t* p = row + ux * 3;
        return (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
    }
    default: {
        std::uint32_t p;
        std::memcpy(&p, row + ux * 4, 4);
        return (m_red.toByte(p) << 16) | (m_green.toByte(p) << 8) | m_blue.toByte(p);
    }
    }
}

void PixelReader::read(
    const std::uint8_t* row, std::span<const std::int32_t> columns, std::uint32_t* out) const
{
    for (const std::int32_t x : columns)
        *out++ = at(row, x);
}

void PixelReader::readRun(
    const std::uint8_t* row, std::int32_t x, std::int32_t count, std::uint32_t* out) const
{
    if (m_bitCount == 8) {
        const std::uint8_t* p = row + x;
        for (std::int32_t i = 0; i < count; ++i)
            out[i] = m_table[p[i]];
        return;
    }
    for (std::int32_t i = 0; i < count; ++i)
        out[i] = at(row, x + i);
}

std::uint32_t nearestEntry(std::span<const RgbQuad> table, std::uint32_t rgb)
{
    const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    std::uint32_t best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const int dr = table[i].rgbRed - r, dg = table[i].rgbGreen - g, db = table[i].rgbBlue - b;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<std::uint32_t>(i);
            if (d == 0)
                break;
        }
    }
    return best;
}

PixelWriter::PixelWriter(const Bitmap& bitmap)
    : m_bitCount(bitmap.bitCount())
    , m_table(bitmap.colorTable())
{
    const PixelFormat& f = bitmap.format();
    if (m_bitCount == 16 || m_bitCount == 32) {
        m_red = Channel(f.redMask);
        m_green = Channel(f.greenMask);
        m_blue = Channel(f.blueMask);
    }
}

std::uint32_t PixelWriter::nearestIndex(std::uint32_t rgb) const
{
    // Cache entries hold the colour plus one in the high half, so that an
    // empty slot never matches.
    const std::size_t slot = ((rgb >> 12) ^ rgb) & (m_cache.size() - 1);
    const std::uint64_t key = std::uint64_t(rgb + 1) << 32;
    if ((m_cache[slot] & 0xFFFFFFFF00000000ull) == key)
        return static_cast<std::uint32_t>(m_cache[slot]);
    const std::uint32_t index = nearestEntry(m_table, rgb);
    m_cache[slot] = key | index;
    return index;
}

std::uint32_t PixelWriter::raw(std::uint32_t rgb) const
{
    switch (m_bitCount) {
    case 1:
    case 4:
    case 8:
        return nearestIndex(rgb & 0xFFFFFF);
    case 24:
        return rgb & 0xFFFFFF;
    default:
        return m_red.fromByte((rgb >> 16) & 0xFF) | m_green.fromByte((rgb >> 8) & 0xFF)
            | m_blue.fromByte(rgb & 0xFF);
    }
}

void PixelWriter::writeRun(
    std::uint8_t* row, std::int32_t x, const std::uint32_t* colors, std::int32_t count) const
{
    for (std::int32_t i = 0; i < count; ++i) {
        const std::uint32_t v = raw(colors[i]);
        const auto ux = static_cast<std::size_t>(x + i);
        switch (m_bitCount) {
        case 1: {
            const auto bit = static_cast<std::uint8_t>(0x80 >> (ux & 7));
            row[ux >> 3] = static_cast<std::uint8_t>((row[ux >> 3] & ~bit) | (v ? bit : 0));
            break;
        }
        case 4:
            row[ux >> 1] = (ux & 1) ? static_cast<std::uint8_t>((row[ux >> 1] & 0xF0) | (v & 0x0F))
                                    : static_cast<std::uint8_t>((row[ux >> 1] & 0x0F) | (v << 4));
            break;
        case 8:
            row[ux] = static_cast<std::uint8_t>(v);
            break;
        case 16: {
            const auto p = static_cast<std::uint16_t>(v);
            std::memcpy(row + ux * 2, &p, 2);
            break;
        }
        case 24:
            row[ux * 3] = static_cast<std::uint8_t>(v);
            row[ux * 3 + 1] = static_cast<std::uint8_t>(v >> 8);
            row[ux * 3 + 2] = static_cast<std::uint8_t>(v >> 16);
            break;
        default:
            std::memcpy(row + ux * 4, &v, 4);
            break;
        }
    }
}

} // namespace platform::detail
