#pragma once

// The views kept after idle steps, and the PNG that shows them side by side.

#include "display/ViewDesign.h"
#include "export/Image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace render {

// A frame is the view, at its design size.
using display::kViewHeight;
using display::kViewWidth;

class FrameStrip {
public:
    // Keeps the surface's pixels as they stand, read as raw 0x00RRGGBB
    // values. A missing surface, or the part of the frame that it does not
    // cover, is kept black.
    void append(TDirectDrawSurface* view);

    std::size_t size() const { return m_frames.size(); }
    bool empty() const { return m_frames.empty(); }
    // RGB of pixel (x, y) of frame `index`.
    const std::uint8_t* pixel(std::size_t index, std::int32_t x, std::int32_t y) const;

    // Frame `index` as an image.
    exporter::Image frame(std::size_t index) const;

    // Writes the strip, enlarged `scale` times, as an 8-bit RGB PNG, whole
    // or not at all; raises EFCreateError when the file cannot be written.
    void writePng(const std::string& path, int scale = 1) const;

private:
    using Frame = std::vector<std::uint8_t>; // kViewWidth × kViewHeight × RGB
    std::vector<Frame> m_frames;
};

} // namespace render
