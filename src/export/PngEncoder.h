#pragma once

// Lossless still images: 8-bit RGB PNG.

#include "export/Image.h"

#include <cstdint>
#include <vector>

namespace exporter {

// The PNG file's bytes; empty for an empty image or when encoding fails.
std::vector<std::uint8_t> encodePng(const Image& image);

} // namespace exporter
