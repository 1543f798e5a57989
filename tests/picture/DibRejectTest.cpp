// Broken "dib" files: each must fail with its exact error class and message
// and leave the TDIB with the image it had.
#include "DibTestSupport.h"

#include <functional>
#include <string>

using namespace dibtest;

namespace {

struct BadCase {
    const char* name;
    std::function<std::vector<std::uint8_t>()> bytes;
    enum { Invalid, Read, BitCount, PixelFormat } error;
    int bitCount = 0;
};

BmpImage with(std::function<void(BmpImage&)> change)
{
    BmpImage f = small24();
    change(f);
    return f;
}

std::vector<BadCase> badCases()
{
    const auto file
        = [](std::function<void(BmpImage&)> change) { return [=] { return writeBmp(with(change)); }; };
    const auto bits = [&](std::uint16_t count) { return file([=](BmpImage& f) { f.bitCount = count; }); };
    const auto masks = [&](std::uint16_t count, std::array<std::uint32_t, 3> m) {
        return file([=](BmpImage& f) {
            f.bitCount = count;
            f.compression = platform::BI_BITFIELDS;
            f.masks = { m[0], m[1], m[2] };
        });
    };
    const std::vector<std::uint8_t> good = writeBmp(small24());
    return {
        { "oneByte", [=] { return cut(good, 1); }, BadCase::Invalid },
        { "thirteenBytes", [=] { return cut(good, 13); }, BadCase::Invalid },
        { "notBM",
            [=] {
                auto b = good;
                b[1] = 'A';
                return b;
            },
            BadCase::Invalid },
        { "oneHeaderSizeByte", [=] { return cut(good, 15); }, BadCase::Invalid },
        { "threeHeaderSizeBytes", [=] { return cut(good, 17); }, BadCase::Invalid },
        { "header108", file([](BmpImage& f) { f.headerSize = 108; }), BadCase::Invalid },
        { "header124", file([](BmpImage& f) { f.headerSize = 124; }), BadCase::Invalid },
        { "header0", file([](BmpImage& f) { f.headerSize = 0; }), BadCase::Invalid },
        { "compressionJpeg", file([](BmpImage& f) { f.compression = 4; }), BadCase::Invalid },
        { "rle8With24Bits", file([](BmpImage& f) { f.compression = platform::BI_RLE8; }), BadCase::Invalid },
        { "rle4With1Bit", file([](BmpImage& f) {
             f.bitCount = 1;
             f.compression = platform::BI_RLE4;
         }),
            BadCase::Invalid },
        { "widthZero", file([](BmpImage& f) { f.width = 0; }), BadCase::Invalid },
        { "widthNegative", file([](BmpImage& f) { f.width = -2; }), BadCase::Invalid },
        { "heightZero", file([](BmpImage& f) { f.height = 0; }), BadCase::Invalid },
        { "heightMostNegative", file([](BmpImage& f) { f.height = INT32_MIN; }), BadCase::Invalid },
        { "pixelsOver256MiB", file([](BmpImage& f) {
             f.width = 20000;
             f.height = 20000;
         }),
            BadCase::Invalid },
        { "sizeProductOverflows", file([](BmpImage& f) {
             f.width = INT32_MAX;
             f.height = INT32_MAX;
             f.bitCount = 32;
         }),
            BadCase::Invalid },
        { "coreHeaderCut", [=] { return cut(writeBmp(with([](BmpImage& f) { f.headerSize = 12; })), 20); },
            BadCase::Read },
        { "infoHeaderCut", [=] { return cut(good, 40); }, BadCase::Read },
        { "masksCut",
            [=] {
                return cut(writeBmp(with([](BmpImage& f) {
                    f.bitCount = 16;
                    f.compression = platform::BI_BITFIELDS;
                    f.masks = { { 0xF800, 0x7E0, 0x1F } };
                })),
                    14 + 40 + 8);
            },
            BadCase::Read },
        { "colorTableCut",
            [=] {
                return cut(writeBmp(with([](BmpImage& f) {
                    f.bitCount = 8;
                    f.colorsUsed = 4;
                    f.colors = std::vector<platform::RgbQuad>(4);
                })),
                    14 + 40 + 10);
            },
            BadCase::Read },
        { "pixelsShort", [=] { return cut(good, good.size() - 1); }, BadCase::Read },
        { "topDownPixelsShort",
            [=] { return cut(writeBmp(with([](BmpImage& f) { f.height = -2; })), 14 + 40 + 12); },
            BadCase::Read },
        { "rleShorterThanItsSize", file([](BmpImage& f) {
             f.bitCount = 8;
             f.compression = platform::BI_RLE8;
             f.colors = std::vector<platform::RgbQuad>(256);
             f.pixels = { 2, 1, 0, 1 };
             f.sizeImage = 6;
         }),
            BadCase::Read },
        { "twoBits", bits(2), BadCase::BitCount, 2 },
        { "zeroBits", bits(0), BadCase::BitCount, 0 },
        { "sixtyFourBits", bits(64), BadCase::BitCount, 64 },
        { "fields444", masks(16, { 0xF00, 0xF0, 0xF }), BadCase::PixelFormat },
        { "fields888In16", masks(16, { 0xFF0000, 0xFF00, 0xFF }), BadCase::PixelFormat },
        { "fieldsAllBits32", masks(32, { 0xFFFFFFFF, 0xFF00, 0xFF }), BadCase::PixelFormat },
        { "fieldsAllBits16", masks(16, { 0xFFFFFFFF, 0x3E0, 0x1F }), BadCase::PixelFormat },
        { "fieldsAllBits24", masks(24, { 0xFF0000, 0xFFFFFFFF, 0xFF }), BadCase::PixelFormat },
        { "fieldsEmpty", masks(32, { 0, 0xFF00, 0xFF }), BadCase::PixelFormat },
        { "fields565In24", masks(24, { 0xF800, 0x7E0, 0x1F }), BadCase::PixelFormat },
    };
}

class BadFiles : public ::testing::TestWithParam<BadCase> { };

template <class E>
void expectError(TDIB& dib, const std::vector<std::uint8_t>& bytes, const std::string& message)
{
    try {
        load(dib, bytes);
        ADD_FAILURE() << "no error";
    } catch (const E& e) {
        EXPECT_EQ(e.Message(), message);
    } catch (const std::exception& e) {
        ADD_FAILURE() << "wrong error: " << e.what();
    }
}

TEST_P(BadFiles, FailWithTheReadersMessageAndKeepThePreviousImage)
{
    const BadCase& c = GetParam();
    TDIB dib;
    load(dib, writeBmp(small24()));
    const TDIBSharedImage* before = &dib.Image();

    const auto bytes = c.bytes();
    switch (c.error) {
    case BadCase::Invalid:
        expectError<EInvalidGraphic>(dib, bytes, "不正な DIB です");
        break;
    case BadCase::Read:
        expectError<EReadError>(dib, bytes, "ストリームからの読み込みエラー");
        break;
    case BadCase::BitCount:
        expectError<EInvalidGraphicOperation>(
            dib, bytes, "不正なビット数です (" + std::to_string(c.bitCount) + ")");
        break;
    case BadCase::PixelFormat:
        expectError<EInvalidGraphicOperation>(dib, bytes, "不正なピクセルフォーマットです");
        break;
    }
    EXPECT_EQ(&dib.Image(), before);
    EXPECT_EQ(dib.Width(), 2);
}

INSTANTIATE_TEST_SUITE_P(Dib, BadFiles, ::testing::ValuesIn(badCases()),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
