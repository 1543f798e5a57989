// The GIF encoder and its palette on frames made from the input: sizes,
// frame count, intervals and every pixel. Whatever it accepts must come out
// as a file that starts and ends as a GIF does.
#include "Input.h"
#include "export/ExportConsts.h"
#include "export/GifEncoder.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzinput::Input in({ data, size });
    const std::int32_t width = in.byte() % 40;
    const std::int32_t height = in.byte() % 40;
    const std::size_t count = in.byte() % 6;
    const int scale = 1 + in.byte() % 3;
    std::vector<exporter::Image> images;
    std::vector<std::int64_t> intervals;
    for (std::size_t f = 0; f < count; ++f) {
        // Now and then a frame of another size, which must be refused.
        const bool odd = in.byte() == 0xFF;
        exporter::Image image(width + (odd ? 1 : 0), height);
        // Few distinct colours most of the time (the palette path), all of
        // them sometimes (the quantiser).
        const std::uint8_t spread = in.byte();
        for (std::uint32_t& pixel : image.pixels)
            pixel = spread < 128 ? (in.byte() % (spread + 1)) * 0x010203u : in.pixel();
        images.push_back(std::move(image));
        intervals.push_back(static_cast<std::int64_t>(in.byte()) * 10 - 20);
    }
    std::vector<exporter::TimedImage> frames;
    for (std::size_t f = 0; f < images.size(); ++f)
        frames.push_back({ &images[f], intervals[f] });
    try {
        const std::vector<std::uint8_t> gif = exporter::encodeAnimatedGif(frames, scale);
        if (gif.size() < 14 || gif[0] != 'G' || gif[1] != 'I' || gif[2] != 'F' || gif.back() != 0x3B)
            std::abort();
    } catch (const Exception&) {
    }
    if (!images.empty()) {
        const std::vector<std::uint8_t> still = exporter::encodeStillGif(images.front());
        if (!still.empty() && (still.size() < 14 || still.back() != 0x3B))
            std::abort();
    }
    return 0;
}
