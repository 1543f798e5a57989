#pragma once

// Animated GIFs of frames of the view: one colour table for the whole
// animation (exact when the frames use at most 256 colours), the NETSCAPE2.0
// extension to loop forever, delays in centiseconds carried from the running
// total, a frame identical to the one before merged into it, and every frame
// after the first storing only the rectangle that changed ("do not dispose").

#include "export/Image.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace exporter {

struct TimedImage {
    const Image* image;
    // How long the frame is shown; 0 or less shows it for the least delay.
    std::int64_t intervalMs;
};

// The GIF file's bytes, every frame enlarged by `scale` (1 to kMaxScale).
// Raises EGifError when there are no frames, their sizes differ, or the
// enlarged frame passes the format's 65535 pixels.
std::vector<std::uint8_t> encodeAnimatedGif(std::span<const TimedImage> frames, int scale = 1);

// A still picture as a GIF when it has at most 256 colours, so that nothing
// is lost; empty otherwise (or when the image is empty or too large).
std::vector<std::uint8_t> encodeStillGif(const Image& image);

// Encodes, then writes the file whole or not at all (see AtomicFile.h).
void writeAnimatedGif(const std::string& path, std::span<const TimedImage> frames, int scale = 1);

} // namespace exporter
