// Channel formats of 16- and 32-bit images: how a file's masks reduce to
// bit counts, and which formats a record may hold.
#include "picture/DIB.h"

#include <bit>

namespace {

// A run of `bits` set bits starting at bit `shift`, cut to 32 bits.
std::uint32_t runMask(std::int32_t bits, std::int32_t shift)
{
    if (bits <= 0 || shift >= 32)
        return 0;
    const std::uint64_t run = bits >= 64 ? ~0ull : (1ull << bits) - 1;
    return static_cast<std::uint32_t>(run << shift);
}

std::int32_t lowestBit(std::uint32_t mask)
{
    // Bits 0 to 30 are searched; a mask with none of them set starts at 31.
    const std::uint32_t low = mask & 0x7FFFFFFFu;
    return low ? std::countr_zero(low) : 31;
}

// A mask is one run of set bits exactly `bits` long.
bool isRun(std::uint32_t mask, std::int32_t bits)
{
    return bits > 0 && mask == runMask(bits, std::countr_zero(mask));
}

bool allowedCounts(std::int32_t bitCount, const TDIBChannelFormat& f)
{
    if (f.RedBits == 5 && f.BlueBits == 5 && (f.GreenBits == 5 || f.GreenBits == 6))
        return bitCount == 16;
    return bitCount != 16 && f.RedBits == 8 && f.GreenBits == 8 && f.BlueBits == 8;
}

bool masksFit(std::int32_t bitCount, const TDIBChannelFormat& f)
{
    if (!isRun(f.RedMask, f.RedBits) || !isRun(f.GreenMask, f.GreenBits) || !isRun(f.BlueMask, f.BlueBits))
        return false;
    if ((f.RedMask & f.GreenMask) || (f.RedMask & f.BlueMask) || (f.GreenMask & f.BlueMask))
        return false;
    const std::uint32_t pixel = bitCount == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    return ((f.RedMask | f.GreenMask | f.BlueMask) & ~pixel) == 0;
}

TDIBChannelFormat fromRuns(std::int32_t red, std::int32_t redShift, std::int32_t green,
    std::int32_t greenShift, std::int32_t blue, std::int32_t blueShift)
{
    TDIBChannelFormat f;
    f.RedMask = runMask(red, redShift);
    f.GreenMask = runMask(green, greenShift);
    f.BlueMask = runMask(blue, blueShift);
    f.RedBits = red;
    f.GreenBits = green;
    f.BlueBits = blue;
    // The shift brings the channel's top bit to bit 7 (blue's is counted
    // the other way round, as the format has always kept it).
    f.RedShift = redShift + red - 8;
    f.GreenShift = greenShift + green - 8;
    f.BlueShift = 8 - (blueShift + blue);
    f.RedLoss = 8 - red;
    f.GreenLoss = 8 - green;
    f.BlueLoss = 8 - blue;
    return f;
}

} // namespace

std::int32_t maskBitCount(std::uint32_t mask)
{
    std::int32_t count = 0;
    for (std::int32_t bit = lowestBit(mask); bit < 32 && (mask >> bit) & 1u; ++bit)
        ++count;
    return count;
}

TDIBChannelFormat TDIBChannelFormat::FromBitCounts(std::int32_t red, std::int32_t green, std::int32_t blue)
{
    return fromRuns(red, green + blue, green, blue, blue, 0);
}

TDIBChannelFormat TDIBChannelFormat::FromFileMasks(
    std::int32_t bitCount, std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    const std::int32_t r = maskBitCount(red);
    const std::int32_t g = maskBitCount(green);
    const std::int32_t b = maskBitCount(blue);
    if (bitCount == 16 || bitCount == 32) {
        // Draw with the channels where the file put them, so that a file
        // that stores red lowest does not come out with red and blue swapped.
        const auto own = fromRuns(r, lowestBit(red), g, lowestBit(green), b, lowestBit(blue));
        if (masksFit(bitCount, own))
            return own;
    }
    return FromBitCounts(r, g, b);
}

void checkChannelFormat(std::int32_t bitCount, const TDIBChannelFormat& format)
{
    switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        if (!allowedCounts(bitCount, format) || !masksFit(bitCount, format))
            throw EInvalidGraphicOperation(picture::kSDIBInvalidPixelFormat);
        return;
    default:
        throw EInvalidGraphicOperation(platform::format(picture::kSDIBInvalidBitCount, bitCount));
    }
}
