// Run-length data straight into both decoders: the platform's, which the
// "bmp" reader and the memory-only drawing use, and the DIB class's own.
// The first input byte picks the image shape so that narrow, wide, short
// and tall pixel memories all meet the same data; guard bytes around the
// memory catch any write past it even without the sanitizer.

#include "picture/DIB.h"
#include "platform/Gdi.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int width = 1 + data[0] % 37;
    const int height = 1 + data[1] % 29;
    const std::span<const std::uint8_t> rle(data + 2, size - 2);
    constexpr std::size_t kGuard = 16;
    constexpr std::uint8_t kGuardByte = 0xA5;
    for (const int bitCount : { 4, 8 }) {
        const std::size_t rowBytes = ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
        const std::size_t memory = rowBytes * static_cast<std::size_t>(height);
        std::vector<std::uint8_t> buffer(memory + 2 * kGuard, kGuardByte);
        const std::span<std::uint8_t> pixels(buffer.data() + kGuard, memory);
        platform::decodeRle(rle, bitCount, pixels, rowBytes, height);
        if (bitCount == 8)
            DecodeRLE8(rle, pixels, rowBytes);
        else
            DecodeRLE4(rle, pixels, rowBytes);
        for (std::size_t i = 0; i < kGuard; ++i) {
            if (buffer[i] != kGuardByte || buffer[kGuard + memory + i] != kGuardByte)
                std::abort();
        }
    }
    return 0;
}
