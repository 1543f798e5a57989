#include "character/TextTerms.h"
#include "character/Lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace character;

TEST(TextTerms, TrimRemovesEveryControlCharacterButKeepsHighBytes)
{
    EXPECT_EQ(trimmed(" \t\x01 ab c\r\x1f "), "ab c");
    EXPECT_EQ(trimmed("\x82\xa0 "), "\x82\xa0");
    EXPECT_EQ(trimmed(" \t "), "");
    EXPECT_EQ(trimmed(""), "");
}

TEST(TextTerms, WordEndsAtTheFirstBlankOrTab)
{
    EXPECT_EQ(word("Red Cap"), "Red");
    EXPECT_EQ(word("a\tb"), "a");
    EXPECT_EQ(word("a\x01z b"), "a\x01z");
    EXPECT_EQ(word(" lead"), "");
    EXPECT_EQ(word("whole"), "whole");
}

TEST(TextTerms, ColumnValuesStayInsideTheLine)
{
    EXPECT_EQ(valueFrom("#ANIME 80", 7), " 80");
    EXPECT_EQ(valueFrom("#ANIME", 7), "");
    EXPECT_EQ(valueFrom("#ANIM", 7), "");
    EXPECT_EQ(columns("#DATA 16", 6, 4), " 16");
    EXPECT_EQ(columns("#DATA   16", 6, 4), "   1");
    const std::string longLine = "#" + std::string(2000, 'v');
    EXPECT_EQ(valueFrom(longLine, 4), std::string(1024, 'v'));
}

TEST(TextTerms, KeywordsMatchInAnyCaseOfTheLettersOnly)
{
    EXPECT_TRUE(hasKeyword("#charname x", "#CHARNAME"));
    EXPECT_TRUE(hasKeyword("#Patern", "#PATERN"));
    EXPECT_TRUE(hasKeyword("#ANIMEX 5", "#ANIME"));
    EXPECT_FALSE(hasKeyword("#PATTERN", "#PATERN"));
    EXPECT_FALSE(hasKeyword("#ANIM", "#ANIME"));
    EXPECT_FALSE(hasKeyword(" #ANIME", "#ANIME"));
    // Only a to z are upper-cased: a Latin-1 or Shift-JIS byte never becomes a letter.
    EXPECT_FALSE(hasKeyword("#D\xc1TA", "#DATA"));
}

std::vector<std::string> linesOf(std::string_view text)
{
    LineReader reader(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.next(line))
        lines.emplace_back(line);
    return lines;
}

TEST(LineReader, SplitsAtEveryKindOfBreak)
{
    using Lines = std::vector<std::string>;
    const struct {
        std::string text;
        Lines lines;
    } cases[] = {
        { "", {} },
        { "a", { "a" } },
        { "a\r\nb", { "a", "b" } },
        { "a\rb", { "a", "b" } },
        { "a\nb", { "a", "b" } },
        { "a\n\rb", { "a", "", "b" } },
        { "a\r\r\nb", { "a", "", "b" } },
        { "a\r\n", { "a" } },
        { "a\r\n\r\n", { "a", "" } },
        { "\n", { "" } },
        { "a\rb\nc\r\nd\n\re\rf", { "a", "b", "c", "d", "", "e", "f" } },
        { std::string("a\nb\0c\nd", 7), { "a", "b" } },
        { std::string("\0a", 2), {} },
        { "a\x1a\nb", { "a\x1a", "b" } },
        { "\xef\xbb\xbf#ANIME 5", { "\xef\xbb\xbf#ANIME 5" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        EXPECT_EQ(linesOf(c.text), c.lines);
    }
}

} // namespace
