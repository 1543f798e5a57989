#pragma once

// Little-endian fields of BMP headers, read from bytes already in hand.

#include <cstdint>

namespace picture::dib {

inline std::uint16_t le16(const std::uint8_t* p)
{
    return std::uint16_t(p[0] | (p[1] << 8));
}

inline std::uint32_t le32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16)
        | (std::uint32_t(p[3]) << 24);
}

} // namespace picture::dib
