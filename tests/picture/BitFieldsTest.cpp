// Bit-field images in every channel order and width: both readers must show
// each pixel as an independent decoding of its stored value says, or (the
// "dib" reader, for widths other than 5-5-5, 5-6-5 and 8-8-8) refuse.
#include "BitmapTestSupport.h"
#include "DibTestSupport.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <string>

namespace {

constexpr std::int32_t kW = 5; // odd, so that 16-bit rows carry padding
constexpr std::int32_t kH = 3;

// Channel widths as (red, green, blue) and the order of the channels from
// the lowest bit up (0 red, 1 green, 2 blue), starting at bit `first`.
struct Layout {
    std::uint16_t bitCount;
    std::array<int, 3> widths;
    std::array<int, 3> order;
    int first;
};

std::array<std::uint32_t, 3> masksOf(const Layout& l)
{
    std::array<std::uint32_t, 3> masks {};
    int bit = l.first;
    for (int channel : l.order) {
        masks[channel] = static_cast<std::uint32_t>(((1ull << l.widths[channel]) - 1) << bit);
        bit += l.widths[channel];
    }
    return masks;
}

std::string nameOf(const Layout& l)
{
    std::string name = std::to_string(l.bitCount) + " bits ";
    for (int channel : l.order)
        name += std::string("RGB").substr(channel, 1) + std::to_string(l.widths[channel]);
    return name + " from bit " + std::to_string(l.first);
}

void PrintTo(const Layout& l, std::ostream* os)
{
    *os << nameOf(l);
}

std::vector<Layout> layouts()
{
    struct Kind {
        std::uint16_t bitCount;
        std::array<int, 3> widths;
        std::vector<int> firsts;
    };
    const Kind kinds[] = {
        { 16, { 5, 6, 5 }, { 0 } },
        { 16, { 5, 5, 5 }, { 0, 1 } },
        { 16, { 4, 4, 4 }, { 0, 4 } },
        { 16, { 6, 5, 5 }, { 0 } },
        { 32, { 8, 8, 8 }, { 0, 8 } },
        { 32, { 10, 10, 10 }, { 0, 2 } },
        { 32, { 11, 11, 10 }, { 0 } },
    };
    std::vector<Layout> out;
    for (const Kind& k : kinds) {
        std::array<int, 3> order { 0, 1, 2 };
        do {
            for (int first : k.firsts)
                out.push_back({ k.bitCount, k.widths, order, first });
        } while (std::next_permutation(order.begin(), order.end()));
    }
    return out;
}

// The stored value of pixel (x, y): every bit of the pixel in use, the ones
// no channel owns included.
std::uint32_t storedValue(std::int32_t x, std::int32_t y, std::uint16_t bitCount)
{
    const std::uint32_t v = (std::uint32_t(x) * 0x9E3779B1u) ^ (std::uint32_t(y + 1) * 0x85EBCA77u);
    return bitCount == 16 ? (v ^ (v >> 16)) & 0xFFFF : v;
}

// One channel at 8 bits: narrower channels repeat their bit pattern
// downwards, wider ones keep their top 8 bits.
std::uint32_t eightBits(std::uint32_t stored, std::uint32_t mask)
{
    const int width = std::popcount(mask);
    const std::uint32_t value = (stored & mask) >> std::countr_zero(mask);
    if (width >= 8)
        return value >> (width - 8);
    std::uint32_t repeated = 0;
    int bits = 0;
    for (; bits < 8; bits += width)
        repeated = (repeated << width) | value;
    return repeated >> (bits - 8);
}

std::vector<std::uint32_t> expectedPixels(const Layout& l)
{
    const auto masks = masksOf(l);
    std::vector<std::uint32_t> out;
    for (std::int32_t y = 0; y < kH; ++y)
        for (std::int32_t x = 0; x < kW; ++x) {
            const std::uint32_t v = storedValue(x, y, l.bitCount);
            out.push_back(
                (eightBits(v, masks[0]) << 16) | (eightBits(v, masks[1]) << 8) | eightBits(v, masks[2]));
        }
    return out;
}

bmptest::Bytes fileOf(const Layout& l)
{
    bmptest::BmpImage image;
    image.width = kW;
    image.height = kH;
    image.bitCount = l.bitCount;
    image.compression = platform::BI_BITFIELDS;
    const auto masks = masksOf(l);
    for (int i = 0; i < 3; ++i)
        image.masks[i] = masks[i];
    image.pixels = bmptest::packRows(
        kW, kH, l.bitCount, [&](std::int32_t x, std::int32_t y) { return storedValue(x, y, l.bitCount); });
    return bmptest::writeBmp(image);
}

bool dibAccepts(const Layout& l)
{
    const auto [r, g, b] = l.widths;
    if (l.bitCount == 16)
        return r == 5 && b == 5 && (g == 5 || g == 6);
    return r == 8 && g == 8 && b == 8;
}

// The raw words that a 32-bit context holds after `draw`, top row first.
template <typename Draw> std::vector<std::uint32_t> rawWords(Draw draw)
{
    dibtest::Target target(kW, kH);
    draw(*target.dc);
    std::vector<std::uint32_t> out(std::size_t(kW) * kH);
    for (std::int32_t y = 0; y < kH; ++y)
        std::memcpy(out.data() + std::size_t(y) * kW, target.bitmap->scanLine(y), std::size_t(kW) * 4);
    return out;
}

class BitFields : public ::testing::TestWithParam<Layout> { };

TEST_P(BitFields, BmpReaderShowsTheFilesOwnChannels)
{
    TBitmap bitmap;
    bmptest::loadBitmap(bitmap, fileOf(GetParam()));
    const auto drawn = rawWords([&](platform::DeviceContext& dc) {
        TCanvas canvas;
        canvas.SetHandle(&dc);
        canvas.DrawGraphic(0, 0, &bitmap);
    });
    EXPECT_EQ(drawn, expectedPixels(GetParam()));
}

TEST_P(BitFields, DibReaderShowsTheFilesOwnChannelsOrRefusesTheWidths)
{
    const Layout& l = GetParam();
    TDIB dib;
    if (!dibAccepts(l)) {
        const auto got = bmptest::failureOf([&] { dibtest::load(dib, fileOf(l)); });
        EXPECT_EQ(got, bmptest::failure<EInvalidGraphicOperation>("不正なピクセルフォーマットです"));
        return;
    }
    dibtest::load(dib, fileOf(l));
    // Straight from the record's memory, then through the canvas section.
    const auto drawn = rawWords([&](platform::DeviceContext& dc) {
        TCanvas canvas;
        canvas.SetHandle(&dc);
        dib.Draw(canvas, { 0, 0, kW, kH });
    });
    EXPECT_EQ(drawn, expectedPixels(l));
    const auto copied = rawWords([&](platform::DeviceContext& dc) {
        platform::StretchBlt(dc, 0, 0, kW, kH, *dib.Canvas().Handle(), 0, 0, kW, kH, platform::SRCCOPY);
    });
    EXPECT_EQ(copied, expectedPixels(l));
}

INSTANTIATE_TEST_SUITE_P(Orders, BitFields, ::testing::ValuesIn(layouts()), [](const auto& info) {
    std::string name = nameOf(info.param);
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
});

} // namespace
