#include "character/Integer.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

using character::hexPair;
using character::strToInt;
using character::strToIntDef;

std::string failureOf(auto&& convert)
{
    try {
        convert();
    } catch (const EConvertError& e) {
        return e.Message();
    }
    return "no failure";
}

TEST(StrToInt, ReadsDecimalAndHexadecimalForms)
{
    const struct {
        const char* text;
        std::int32_t value;
    } cases[] = {
        { "0", 0 },
        { "123", 123 },
        { "+5", 5 },
        { "-5", -5 },
        { "-0", 0 },
        { "   42", 42 },
        { "007", 7 },
        { "2147483647", INT_MAX },
        { "-2147483648", INT_MIN },
        { "00000000002147483647", INT_MAX },
        { "$64", 100 },
        { "$ff", 255 },
        { "xFF", 255 },
        { "X1a", 26 },
        { "0x10", 16 },
        { "0X7fffffff", INT_MAX },
        { " $10", 16 },
        // Hexadecimal values use all 32 bits and wrap, as the original framework did.
        { "$FFFFFFFF", -1 },
        { "$80000000", INT_MIN },
        { "$000000001", 1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(strToInt(c.text), c.value);
        EXPECT_EQ(strToIntDef(c.text, 99), c.value);
    }
}

TEST(StrToInt, RefusesEverythingElseNamingTheWholeText)
{
    const char* const cases[] = {
        "", " ", "2147483648", "-2147483649", "99999999999999999999", "$100000000", "42 ", "\t42", "4 2", "+",
        "-", "$", "0x", "x", "-$10", "+0x1", "- 5", "1e3", "0x-1", "$G1", "12ab",
        "\xef\xbc\x91", // a full-width digit is no digit
    };
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(failureOf([&] { strToInt(text); }), "'" + std::string(text) + "' は数値ではありません");
        EXPECT_EQ(strToIntDef(text, -7), -7);
    }
    EXPECT_EQ(failureOf([] { strToInt("100 ms"); }), "'100 ms' は数値ではありません");
}

TEST(HexPair, TrimsPutsADollarInFrontAndConverts)
{
    EXPECT_EQ(hexPair("1f"), 31);
    EXPECT_EQ(hexPair("FF"), 255);
    EXPECT_EQ(hexPair("00"), 0);
    EXPECT_EQ(hexPair(" 1"), 1);
    EXPECT_EQ(hexPair("A\t"), 10);
    EXPECT_EQ(hexPair("7\x01"), 7);
    EXPECT_EQ(failureOf([] { hexPair("G1"); }), "'$G1' は数値ではありません");
    EXPECT_EQ(failureOf([] { hexPair("x1"); }), "'$x1' は数値ではありません");
    EXPECT_EQ(failureOf([] { hexPair("-1"); }), "'$-1' は数値ではありません");
    EXPECT_EQ(failureOf([] { hexPair("  "); }), "'$' は数値ではありません");
    EXPECT_EQ(failureOf([] { hexPair("--"); }), "'$--' は数値ではありません");
}

} // namespace
