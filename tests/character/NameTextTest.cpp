#include "character/NameText.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

using character::nameToUtf8;

TEST(NameText, ValidUtf8IsShownAsItIs)
{
    EXPECT_EQ(nameToUtf8("Sample"), "Sample");
    EXPECT_EQ(nameToUtf8("赤ずきん"), "赤ずきん");
    EXPECT_EQ(nameToUtf8(""), "");
}

TEST(NameText, OtherBytesAreReadAsShiftJis)
{
    // "赤" and half-width "ｱ" in CP932.
    EXPECT_EQ(nameToUtf8("\x90\xD4"), "赤");
    EXPECT_EQ(nameToUtf8("\xB1"), "ｱ");
    // NEC special characters exist only in CP932, not in plain Shift-JIS.
    EXPECT_EQ(nameToUtf8("\x87\x40"), "①");
}

TEST(NameText, UndecodableBytesBecomeReplacementCharacters)
{
    // A lead byte cut off at the end, and a byte CP932 leaves unassigned.
    EXPECT_EQ(nameToUtf8("A\x90"), "A\xEF\xBF\xBD");
    EXPECT_EQ(nameToUtf8("\xA0Z"), "\xEF\xBF\xBDZ");
}

TEST(NameText, OverlongAndSurrogateFormsAreNoUtf8)
{
    EXPECT_FALSE(platform::isValidUtf8("\xC0\xAF"));
    EXPECT_FALSE(platform::isValidUtf8("\xED\xA0\x80"));
    EXPECT_FALSE(platform::isValidUtf8("\xF4\x90\x80\x80"));
    EXPECT_TRUE(platform::isValidUtf8("\xF0\x9F\x98\x80"));
}

TEST(NameText, TheWindowsTextGoesToShiftJisAndBack)
{
    EXPECT_EQ(character::utf8ToCp932("０1ｱ赤"),
        "\x82\x4F"
        "1\xB1\x90\xD4");
    // What CP932 lacks is one byte, whatever its length in UTF-8.
    EXPECT_EQ(character::utf8ToCp932("a\xF0\x9F\x98\x80\xC3\xA9"), "a??");
    // Bytes that would pass for UTF-8 are still read as CP932 here.
    EXPECT_EQ(character::cp932ToUtf8("\xC3\xA9"), "ﾃｩ");
}

// The converters are opened once and kept: a conversion that stopped on a
// cut-off character must leave nothing behind for the next one, in either
// direction, however the two are interleaved.
TEST(NameText, EachConversionStartsAfresh)
{
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(character::cp932ToUtf8("\x90"), "\xEF\xBF\xBD");
        EXPECT_EQ(character::cp932ToUtf8("\xD4"), "ﾔ");
        EXPECT_EQ(character::utf8ToCp932("\xE8\xB5"), "??");
        EXPECT_EQ(character::utf8ToCp932("赤"), "\x90\xD4");
        EXPECT_EQ(nameToUtf8("\x90\xD4"), "赤");
    }
}
