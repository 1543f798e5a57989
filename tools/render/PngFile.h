#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace render {

// Writes 8-bit RGB pixels, rows top down without padding, as a PNG file.
// False when the file cannot be written or the sizes do not match the pixels.
bool writeRgbPng(
    const std::string& path, std::int32_t width, std::int32_t height, std::span<const std::uint8_t> pixels);

} // namespace render
