#pragma once

// Lossless still images: 8-bit RGB PNG through libpng, one row at a time, so
// that no whole image is held and no size product is formed.

#include "export/Image.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace exporter {

// What libpng writes, and what PNG readers accept by default, on each side.
inline constexpr std::int64_t kPngMaxSide = 1'000'000;

// Fills `row` (the image's width) with row `y`, 0 at the top, as 0x00RRGGBB.
using PngRows = std::function<void(std::int32_t y, std::span<std::uint32_t> row)>;

bool pngSizeFits(std::int64_t width, std::int64_t height);

// Writes the image whole or not at all. A size beyond the format's limits
// is refused before any work is done; that and any failure of the encode or
// the file raise EFCreateError ("%s を作成できません") with no file left.
void writePng(const std::string& path, std::int32_t width, std::int32_t height, const PngRows& rows);
void writePng(const std::string& path, const Image& image);

// The PNG file's bytes; empty for an empty image, one beyond the limits, or
// when encoding fails.
std::vector<std::uint8_t> encodePng(const Image& image);

} // namespace exporter
