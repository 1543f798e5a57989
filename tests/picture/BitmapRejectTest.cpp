#include "BitmapTestSupport.h"

using namespace bmptest;

namespace {

const std::string kRead = platform::kSReadError;
const std::string kInvalid = picture::kSInvalidBitmap;

BmpImage plain24()
{
    BmpImage s;
    s.width = 2;
    s.height = 2;
    s.pixels.assign(16, 0x55);
    return s;
}

template <typename F> Bytes modified(F change)
{
    BmpImage s = plain24();
    change(s);
    return writeBmp(s);
}

Bytes truncated(Bytes file, std::size_t size)
{
    file.resize(size);
    return file;
}

Bytes withHeaderSize(std::uint32_t size)
{
    Bytes file = writeBmp(plain24());
    file[14] = std::uint8_t(size);
    file[15] = std::uint8_t(size >> 8);
    file[16] = std::uint8_t(size >> 16);
    file[17] = std::uint8_t(size >> 24);
    return file;
}

struct Reject {
    const char* name;
    Bytes file;
    bool readError; // otherwise the invalid-bitmap error
};

} // namespace

TEST(BitmapRead, RefusesMalformedFilesWithTheRightError)
{
    const Bytes good = writeBmp(plain24());
    const Reject cases[] = {
        { "1 byte", truncated(good, 1), true },
        { "13 bytes", truncated(good, 13), true },
        { "file header only", truncated(good, 14), true },
        { "ends inside the info header", truncated(good, 30), true },
        { "not BM", modified([](BmpImage& s) { s.magic[0] = 'X'; }), false },
        { "header size 0", withHeaderSize(0), false },
        { "header size 11", withHeaderSize(11), false },
        { "header size 13", withHeaderSize(13), false },
        { "header size 39", withHeaderSize(39), false },
        { "header size 2^31", withHeaderSize(0x80000000u), false },
        { "header size larger than the file", withHeaderSize(4000), true },
        { "two planes", modified([](BmpImage& s) { s.planes = 2; }), false },
        { "no planes", modified([](BmpImage& s) { s.planes = 0; }), false },
        { "2 bits", modified([](BmpImage& s) { s.bitCount = 2; }), false },
        { "0 bits", modified([](BmpImage& s) { s.bitCount = 0; }), false },
        { "64 bits", modified([](BmpImage& s) { s.bitCount = 64; }), false },
        { "300 colours", modified([](BmpImage& s) { s.colorsUsed = 300; }), false },
        { "colour table cut short", modified([](BmpImage& s) {
             s.bitCount = 8;
             s.colors.resize(10);
             s.pixels.clear();
         }),
            true },
        { "masks cut short",
            truncated(modified([](BmpImage& s) {
                s.bitCount = 16;
                s.compression = platform::BI_BITFIELDS;
            }),
                56),
            true },
        { "zero width", modified([](BmpImage& s) { s.width = 0; }), false },
        { "negative width", modified([](BmpImage& s) { s.width = -2; }), false },
        { "zero height", modified([](BmpImage& s) { s.height = 0; }), false },
        { "most negative height", modified([](BmpImage& s) { s.height = INT32_MIN; }), false },
        { "size product past 32 bits", modified([](BmpImage& s) {
             s.width = 0x7FFFFFFF;
             s.height = 0x7FFFFFFF;
             s.sizeImage = 0;
         }),
            false },
        { "more than 256 MiB", modified([](BmpImage& s) {
             s.width = 20000;
             s.height = 20000;
         }),
            false },
        { "JPEG inside", modified([](BmpImage& s) { s.compression = 4; }), false },
        { "PNG inside", modified([](BmpImage& s) { s.compression = 5; }), false },
        { "24-bit bit fields", modified([](BmpImage& s) {
             s.compression = platform::BI_BITFIELDS;
             s.masks[0] = 0xFF0000;
             s.masks[1] = 0xFF00;
             s.masks[2] = 0xFF;
         }),
            false },
        { "zero mask", modified([](BmpImage& s) {
             s.bitCount = 32;
             s.compression = platform::BI_BITFIELDS;
             s.masks[0] = 0;
             s.masks[1] = 0xFF00;
             s.masks[2] = 0xFF;
         }),
            false },
        { "bit fields without room for masks", modified([](BmpImage& s) {
             s.headerSize = 44;
             s.bitCount = 32;
             s.compression = platform::BI_BITFIELDS;
         }),
            false },
        { "RLE8 with 4 bits", modified([](BmpImage& s) {
             s.bitCount = 4;
             s.compression = platform::BI_RLE8;
             s.colorsUsed = 1;
             s.colors = { Color {} };
             s.pixels = { 0, 1 };
         }),
            false },
        { "RLE4 with 24 bits", modified([](BmpImage& s) { s.compression = platform::BI_RLE4; }), false },
        { "top-down RLE8", modified([](BmpImage& s) {
             s.bitCount = 8;
             s.height = -2;
             s.compression = platform::BI_RLE8;
             s.colorsUsed = 1;
             s.colors = { Color {} };
             s.pixels = { 0, 1 };
         }),
            false },
    };
    for (const Reject& c : cases) {
        TBitmap bitmap;
        const auto got = failureOf([&] { loadBitmap(bitmap, c.file); });
        EXPECT_EQ(got, c.readError ? failure<EReadError>(kRead) : failure<EInvalidGraphic>(kInvalid))
            << c.name;
        // The headers alone fail alike, unless they leave it to the decoding.
        TBytesStream stream(c.file);
        std::optional<TGraphicSize> size;
        const auto fromHeaders = failureOf([&] { size = TBitmap::ReadSize(stream); });
        EXPECT_FALSE(size) << c.name;
        if (!fromHeaders.first.empty()) {
            EXPECT_EQ(fromHeaders, got) << c.name;
        }
    }
}

TEST(BitmapRead, FailedLoadKeepsNothingHalfBuilt)
{
    TBitmap bitmap;
    loadBitmap(bitmap, writeBmp(plain24()));
    Bytes bad = writeBmp(plain24());
    bad[0] = 'X';
    EXPECT_THROW(loadBitmap(bitmap, bad), EInvalidGraphic);
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(drawn(bitmap).size(), 4u);
}
