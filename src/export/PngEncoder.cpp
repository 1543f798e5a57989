#include "export/PngEncoder.h"

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

namespace exporter {

namespace {

void append(void* context, void* data, int size)
{
    auto* bytes = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* begin = static_cast<const std::uint8_t*>(data);
    bytes->insert(bytes->end(), begin, begin + size);
}

} // namespace

std::vector<std::uint8_t> encodePng(const Image& image)
{
    constexpr std::int64_t kChannels = 3;
    const std::int64_t stride = static_cast<std::int64_t>(image.width) * kChannels;
    if (image.width <= 0 || image.height <= 0 || stride > std::numeric_limits<int>::max())
        return {};
    std::vector<std::uint8_t> rgb(image.pixels.size() * kChannels);
    std::uint8_t* out = rgb.data();
    for (const std::uint32_t pixel : image.pixels) {
        *out++ = static_cast<std::uint8_t>(pixel >> 16);
        *out++ = static_cast<std::uint8_t>(pixel >> 8);
        *out++ = static_cast<std::uint8_t>(pixel);
    }
    std::vector<std::uint8_t> bytes;
    if (stbi_write_png_to_func(&append, &bytes, image.width, image.height, static_cast<int>(kChannels),
            rgb.data(), static_cast<int>(stride))
        == 0)
        return {};
    return bytes;
}

} // namespace exporter
