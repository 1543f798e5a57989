#include "render/PngFile.h"

// The encoder is a single header that keeps its implementation behind a
// macro; its own code is not held to this project's warning set.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wpedantic"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

#include <limits>

namespace render {

bool writeRgbPng(
    const std::string& path, std::int32_t width, std::int32_t height, std::span<const std::uint8_t> pixels)
{
    constexpr std::int64_t kChannels = 3;
    if (width <= 0 || height <= 0)
        return false;
    const std::int64_t stride = static_cast<std::int64_t>(width) * kChannels;
    if (stride > std::numeric_limits<int>::max()
        || static_cast<std::uint64_t>(stride) * static_cast<std::uint64_t>(height) != pixels.size())
        return false;
    return stbi_write_png(path.c_str(), width, height, static_cast<int>(kChannels), pixels.data(),
               static_cast<int>(stride))
        != 0;
}

} // namespace render
