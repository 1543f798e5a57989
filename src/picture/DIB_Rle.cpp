// The run-length decoders of the DIB class. They decode exactly as the
// platform's BMP decoding does (runs past a row's end go on into its
// alignment bytes and the next row; nothing is read past the data or written
// past the memory), so they are that decoder over the record's rows.
#include "picture/DIB.h"

#include "platform/Gdi.h"

namespace {

bool decode(
    std::span<const std::uint8_t> data, int bitCount, std::span<std::uint8_t> pixels, std::size_t rowBytes)
{
    if (rowBytes == 0)
        return false;
    // Pixel memory is capped far below 2^31 rows.
    const auto rows = static_cast<std::int32_t>(pixels.size() / rowBytes);
    return platform::decodeRle(data, bitCount, pixels, rowBytes, rows);
}

} // namespace

bool DecodeRLE8(std::span<const std::uint8_t> data, std::span<std::uint8_t> pixels, std::size_t rowBytes)
{
    return decode(data, 8, pixels, rowBytes);
}

bool DecodeRLE4(std::span<const std::uint8_t> data, std::span<std::uint8_t> pixels, std::size_t rowBytes)
{
    return decode(data, 4, pixels, rowBytes);
}

std::optional<std::size_t> rleEndOfBitmap(std::span<const std::uint8_t> data, bool fourBit)
{
    return platform::rleDataEnd(data, fourBit ? 4 : 8);
}
