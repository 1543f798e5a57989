#pragma once

// The stored bitmap format as every reader and writer of it lays it out: the
// signature, the header sizes, the padded rows and the colour entries. Each
// fact stands here once so that the readers cannot drift apart.

#include "platform/ByteReader.h"
#include "platform/Gdi.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace platform::bitmap {

inline constexpr std::uint16_t kSignature = 0x4D42; // "BM"
inline constexpr std::uint32_t kFileHeaderSize = 14;
// The size field that opens each header tells the kind.
inline constexpr std::uint32_t kCoreHeaderSize = 12;
inline constexpr std::uint32_t kInfoHeaderSize = 40;
inline constexpr std::size_t kMasksSize = 12; // red, green, blue

// Every row is padded to whole 32-bit words. Sides below 2^32 and bit counts
// below 2^16 keep the product inside 64 bits.
constexpr std::uint64_t rowStride(std::uint64_t width, std::uint64_t bitCount)
{
    return (width * bitCount + 31) / 32 * 4;
}

// Colour entries are blue, green, red and, in all but the oldest header
// kind, one byte more that is kept as it stands.
inline void readColorEntries(ByteReader& r, std::span<RgbQuad> entries, std::size_t entrySize)
{
    for (RgbQuad& c : entries) {
        c.rgbBlue = r.u8();
        c.rgbGreen = r.u8();
        c.rgbRed = r.u8();
        c.rgbReserved = entrySize == 4 ? r.u8() : 0;
    }
}

} // namespace platform::bitmap
