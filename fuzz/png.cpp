// The PNG writer on images made from the input: what it writes must read
// back through libpng as exactly the pixels given.
#include "Input.h"
#include "export/PngEncoder.h"

#include <png.h>

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzinput::Input in({ data, size });
    const std::int32_t width = in.byte() % 70 + (in.byte() == 0xFF ? 1'000'000 : 0);
    const std::int32_t height = in.byte() % 70;
    if (width > 1000) {
        // Beyond the limits: refused without an attempt.
        if (!exporter::encodePng(exporter::Image { width, 0 }).empty())
            std::abort();
        return 0;
    }
    exporter::Image image(width, height);
    for (std::uint32_t& pixel : image.pixels)
        pixel = in.pixel();
    const std::vector<std::uint8_t> bytes = exporter::encodePng(image);
    if (width == 0 || height == 0) {
        if (!bytes.empty())
            std::abort();
        return 0;
    }
    png_image decoded {};
    decoded.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&decoded, bytes.data(), bytes.size()))
        std::abort();
    decoded.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(decoded));
    if (!png_image_finish_read(&decoded, nullptr, rgb.data(), 0, nullptr))
        std::abort();
    if (decoded.width != static_cast<png_uint_32>(width)
        || decoded.height != static_cast<png_uint_32>(height))
        std::abort();
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        const std::uint32_t got
            = std::uint32_t { rgb[3 * i] } << 16 | std::uint32_t { rgb[3 * i + 1] } << 8 | rgb[3 * i + 2];
        if (got != image.pixels[i])
            std::abort();
    }
    return 0;
}
