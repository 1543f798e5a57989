#pragma once

// Reads a GIF back with giflib's own decoder, for looking at what the encoder
// put in the file: the screen, every image's rectangle and delay, the loop
// extension, and the frames as a viewer composes them.

#include "export/Image.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace giftest {

struct DecodedFrame {
    int left = 0, top = 0, width = 0, height = 0;
    int delayCs = -1;
    int disposal = -1;
    exporter::Image composed; // the screen after this image
};

struct DecodedGif {
    bool ok = false;
    std::string version;
    int width = 0, height = 0;
    int colours = 0;
    bool loopsForever = false;
    std::vector<DecodedFrame> frames;
};

inline DecodedGif decodeGif(const std::vector<std::uint8_t>& bytes)
{
    struct Source {
        const std::vector<std::uint8_t>* bytes;
        std::size_t at = 0;
    } source { &bytes };
    const auto read = [](GifFileType* gif, GifByteType* out, int length) -> int {
        auto* s = static_cast<Source*>(gif->UserData);
        const std::size_t n
            = std::min<std::size_t>(static_cast<std::size_t>(length), s->bytes->size() - s->at);
        std::memcpy(out, s->bytes->data() + s->at, n);
        s->at += n;
        return static_cast<int>(n);
    };
    DecodedGif result;
    if (bytes.size() >= 6)
        result.version.assign(bytes.begin(), bytes.begin() + 6);
    int error = 0;
    GifFileType* gif = DGifOpen(&source, read, &error);
    if (gif == nullptr || DGifSlurp(gif) != GIF_OK) {
        if (gif != nullptr)
            DGifCloseFile(gif, &error);
        return result;
    }
    result.ok = true;
    result.width = gif->SWidth;
    result.height = gif->SHeight;
    result.colours = gif->SColorMap != nullptr ? gif->SColorMap->ColorCount : 0;
    exporter::Image screen(gif->SWidth, gif->SHeight);
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        for (int e = 0; e < image.ExtensionBlockCount; ++e) {
            const ExtensionBlock& block = image.ExtensionBlocks[e];
            if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11
                && std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0 && e + 1 < image.ExtensionBlockCount) {
                const ExtensionBlock& loop = image.ExtensionBlocks[e + 1];
                result.loopsForever
                    = loop.ByteCount == 3 && loop.Bytes[0] == 1 && loop.Bytes[1] == 0 && loop.Bytes[2] == 0;
            }
        }
        DecodedFrame frame;
        frame.left = image.ImageDesc.Left;
        frame.top = image.ImageDesc.Top;
        frame.width = image.ImageDesc.Width;
        frame.height = image.ImageDesc.Height;
        GraphicsControlBlock control {};
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        if (DGifSavedExtensionToGCB(gif, i, &control) == GIF_OK) {
            frame.delayCs = control.DelayTime;
            frame.disposal = control.DisposalMode;
        }
        const ColorMapObject* map
            = image.ImageDesc.ColorMap != nullptr ? image.ImageDesc.ColorMap : gif->SColorMap;
        for (int y = 0; y < frame.height; ++y) {
            for (int x = 0; x < frame.width; ++x) {
                const int index = image.RasterBits[y * frame.width + x];
                if (index == control.TransparentColor)
                    continue; // the frame before shows through
                const GifColorType c = map->Colors[index];
                screen.pixels[static_cast<std::size_t>(frame.top + y) * screen.width + frame.left + x]
                    = static_cast<std::uint32_t>(c.Red) << 16 | static_cast<std::uint32_t>(c.Green) << 8
                    | c.Blue;
            }
        }
        frame.composed = screen;
        result.frames.push_back(std::move(frame));
    }
    DGifCloseFile(gif, &error);
    return result;
}

} // namespace giftest
