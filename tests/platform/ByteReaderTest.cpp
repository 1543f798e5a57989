#include "platform/ByteReader.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

using platform::ByteReader;

namespace {

struct ShortReadError { };

[[noreturn]] void raiseShortRead()
{
    throw ShortReadError {};
}

const std::array<std::uint8_t, 11> kBytes { 0x7F, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF, 0xFF,
    0xFF };

} // namespace

TEST(ByteReader, ReadsLittleEndianFieldsInOrder)
{
    ByteReader r(kBytes, &raiseShortRead);
    EXPECT_EQ(r.u8(), 0x7F);
    EXPECT_EQ(r.u16(), 0x1234);
    EXPECT_EQ(r.u32(), 0x12345678u);
    EXPECT_EQ(r.i32(), -2);
    EXPECT_EQ(r.position(), 11u);
    EXPECT_EQ(r.remaining(), 0u);
}

// Every read that needs more than is left raises the owner's error, however
// much of the field there would have been.
TEST(ByteReader, ShortReadsRaiseTheOwnersError)
{
    struct Case {
        const char* name;
        std::size_t size;
        std::function<void(ByteReader&)> read;
    };
    const Case cases[] = {
        { "byte of nothing", 0, [](ByteReader& r) { r.u8(); } },
        { "16 bits of one byte", 1, [](ByteReader& r) { r.u16(); } },
        { "32 bits of three bytes", 3, [](ByteReader& r) { r.u32(); } },
        { "32 bits after the end", 11, [](ByteReader& r) { r.skip(8), r.i32(); } },
        { "skip past the end", 11, [](ByteReader& r) { r.skip(12); } },
        { "skip of everything there is", 4, [](ByteReader& r) { r.skip(SIZE_MAX); } },
    };
    for (const Case& c : cases) {
        ByteReader r(std::span<const std::uint8_t>(kBytes).first(c.size), &raiseShortRead);
        EXPECT_THROW(c.read(r), ShortReadError) << c.name;
    }
}

TEST(ByteReader, TakesAtMostWhatTheStreamHolds)
{
    TBytesStream stream(kBytes);
    stream.SetPosition(3);
    // A count from a hostile header: the reader must neither make memory for
    // it nor read past the stream.
    ByteReader r(stream, SIZE_MAX, &raiseShortRead);
    EXPECT_EQ(r.remaining(), 8u);
    EXPECT_EQ(stream.Position(), 11);
    EXPECT_EQ(r.u32(), 0x12345678u);

    stream.SetPosition(1);
    ByteReader two(stream, 2, &raiseShortRead);
    EXPECT_EQ(stream.Position(), 3);
    EXPECT_EQ(two.u16(), 0x1234);
    EXPECT_THROW(two.u8(), ShortReadError);
}
