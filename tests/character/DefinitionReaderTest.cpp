#include "ExampleFile.h"
#include "RecordingSink.h"

#include "character/DefinitionReader.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using namespace readertest;
using namespace std::string_literals;

using chartest::kExample;

const Items kExampleItems = {
    "name Sample",
    "interval 80",
    "hex",
    "sheet sample.bmp",
    "pattern 1: 0 0 121 271",
    "pattern 2: 121 0 121 271",
    "pattern 3: 242 0 121 271",
    "pattern 26: 0 280 40 40",
    "pattern 27: 60 100 40 40",
    "base 1/1 = 2",
    "base 1/2 = 2",
    "base 1/3 = 2",
    "base 1/4 = 3",
    "base 1/5 = 3",
    "base end 1",
    "base 6/1 = 2",
    "base 6/2 = 3",
    "base 6/3 = 2",
    "base 6/4 = 3",
    "base end 6",
    "layer 6/1 = 26",
    "layer 6/2 = 26",
    "layer 6/3 = 26",
    "layer 6/4 = 26",
    "placement 6/1 = 27",
    "placement 6/2 = 27",
    "placement 6/3 = 27",
    "placement 6/4 = 27",
    "layer end 6",
};

std::string replaceAll(std::string text, std::string_view from, std::string_view to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

TEST(DefinitionReader, ExampleFileYieldsItsItemsInOrderWhateverTheLineBreaks)
{
    const std::string crlf = kExample;
    for (const std::string& text : { crlf, replaceAll(crlf, "\r\n", "\n"), replaceAll(crlf, "\r\n", "\r"),
             replaceAll(crlf, "\r\n", "\r\n\r\n") }) {
        const Outcome out = parse(text);
        EXPECT_EQ(out.error, "");
        EXPECT_EQ(out.items, kExampleItems);
    }
}

TEST(DefinitionReader, EmptyAndCommentOnlyTextsYieldNothing)
{
    for (const char* text :
        { "", "\r\n\r\n", "; comment\r\nCHARNAME x\r\n#\r\n#!\r\n #ANIME 5\r\n", "#PATTERN 01 02" }) {
        const Outcome out = parse(text);
        EXPECT_EQ(out.error, "");
        EXPECT_EQ(out.items, Items {}) << text;
    }
}

TEST(DefinitionReader, NameSheetAndIntervalLines)
{
    const struct {
        const char* line;
        Items items;
    } cases[] = {
        { "#charname abc", { "name abc" } },
        { "  #CHARNAME abc", {} },
        { "#CHARNAME", { "name " } },
        { "#CHARNAME   ", { "name " } },
        { "#CHARNAME Red Cap", { "name Red" } },
        { "#CharName\tRed\tCap", { "name Red" } },
        { "#CHARNAMERed", { "name Red" } },
        { "#CHARNAME \x82\xa0\x82\xa2 x", { "name \x82\xa0\x82\xa2" } }, // bytes, unconverted
        { "#CHARBMP sub\\sheet.bmp note", { "sheet sub\\sheet.bmp" } },
        { "#charbmp", { "sheet " } },
        { "#ANIME 1000", { "interval 1000" } },
        { "#ANIME 0", { "interval 0" } },
        { "#ANIME -5", { "interval -5" } },
        { "#ANIME $64", { "interval 100" } },
        { "#anime\t 80 \t", { "interval 80" } },
    };
    for (const auto& c : cases) {
        const Outcome out = parse(c.line);
        EXPECT_EQ(out.error, "") << c.line;
        EXPECT_EQ(out.items, c.items) << c.line;
    }
}

TEST(DefinitionReader, BadIntervalsFailWithTheirTrimmedValue)
{
    EXPECT_EQ(parse("#ANIME 100 ms").error, convertError("100 ms"));
    EXPECT_EQ(parse("#ANIME 100ms").error, convertError("100ms"));
    EXPECT_EQ(parse("#ANIMEX 5").error, convertError("X 5"));
    EXPECT_EQ(parse("#ANIME").error, convertError(""));
}

TEST(DefinitionReader, NumberingLineSwitchesHexOnForTheLinesBelowOnly)
{
    const struct {
        const char* numberingLine;
        bool hex;
    } cases[] = {
        { "#DATA 16", true },
        { "#DATA16", true },
        { "#DATA  16", true },
        { "#data 16 comment", true },
        { "#DATA\t16", true },
        { "#DATA   16", false },
        { "#DATA 10", false },
        { "#DATA 16x", false },
        { "#DATA", false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.numberingLine);
        const std::string text = std::string("#10 1 2 3 4\n") + c.numberingLine + "\n#10 1 2 3 4\n";
        const Items hexItems { "pattern 10: 1 2 3 4", "hex", "pattern 16: 1 2 3 4" };
        const Items decimalItems { "pattern 10: 1 2 3 4", "pattern 10: 1 2 3 4" };
        EXPECT_EQ(parse(text).items, c.hex ? hexItems : decimalItems);
    }
    // Nothing switches it off again, and each parse starts in decimal numbering.
    EXPECT_EQ(parse("#DATA 16\n#DATA 10\n#10 1 2 3 4").items, (Items { "hex", "pattern 16: 1 2 3 4" }));
    EXPECT_EQ(parse("#10 1 2 3 4").items, (Items { "pattern 10: 1 2 3 4" }));
}

TEST(DefinitionReader, PatternNumbersInDecimalNumbering)
{
    const struct {
        const char* line;
        Items items;
        std::string error;
    } cases[] = {
        { "#7 1 2 3 4", { "pattern 7: 1 2 3 4" }, "" },
        { "#07 1 2 3 4", { "pattern 7: 1 2 3 4" }, "" },
        { "# 7 1 2 3 4", { "pattern 7: 1 2 3 4" }, "" },
        { "#99 1 2 3 4", { "pattern 99: 1 2 3 4" }, "" },
        { "#100 1 2 3", { "pattern 10: 0 1 2 3" }, "" }, // numbers above 99 cannot be written
        { "#$F 1 2 3 4", { "pattern 15: 1 2 3 4" }, "" },
        { "#00 1 2 3 4", {}, "" },
        { "#-1 1 2 3 4", {}, "" },
        { "#ab note", {}, "" },
        { "#A 1 2 3 4", {}, "" },
        { "#", {}, "" },
        { "#12 is a note", {}, convertError("") },
    };
    for (const auto& c : cases) {
        const Outcome out = parse(c.line);
        EXPECT_EQ(out.error, c.error) << c.line;
        EXPECT_EQ(out.items, c.items) << c.line;
    }
}

TEST(DefinitionReader, PatternNumbersInHexadecimalNumbering)
{
    const struct {
        const char* line;
        Items items;
        std::string error;
    } cases[] = {
        { "#0A 1 2 3 4", { "pattern 10: 1 2 3 4" }, "" },
        { "#ff 1 2 3 4", { "pattern 255: 1 2 3 4" }, "" },
        { "#0a\t1 2 3 4", { "pattern 10: 1 2 3 4" }, "" },
        { "#00 1 2 3 4", {}, "" },
        { "#abc note", {}, "" },
        { "#A 1 2 3 4", {}, "" },
        { "#A", {}, "" },
        { "#ab note", {}, convertError("") },
        { "#zz note", {}, convertError("$zz") },
        { "#-- 1 2 3 4", {}, convertError("$--") },
    };
    for (const auto& c : cases) {
        const Outcome out = parse(std::string("#DATA 16\n") + c.line);
        EXPECT_EQ(out.error, c.error) << c.line;
        Items expected { "hex" };
        expected.insert(expected.end(), c.items.begin(), c.items.end());
        EXPECT_EQ(out.items, expected) << c.line;
    }
}

TEST(DefinitionReader, PatternValuesAreFourWordsConvertedFromHeightBackToLeft)
{
    const struct {
        const char* line;
        Items items;
        std::string error;
    } cases[] = {
        { "#05 10 20 30 40", { "pattern 5: 10 20 30 40" }, "" },
        { "#05\t10\t\t20  30 \t 40 a comment", { "pattern 5: 10 20 30 40" }, "" },
        { "#05 10 20 30 40 50", { "pattern 5: 10 20 30 40" }, "" },
        { "#05 -1 -2 $10 x20", { "pattern 5: -1 -2 16 32" }, "" },
        { "#05 10 20 30", {}, convertError("") },
        { "#05 a b c d", {}, convertError("d") },
        { "#05 1 b c 4", {}, convertError("c") },
        { "#05 a 2 3 4", {}, convertError("a") },
        { "#05 1 2 3 2147483648", {}, convertError("2147483648") },
    };
    for (const auto& c : cases) {
        const Outcome out = parse(c.line);
        EXPECT_EQ(out.error, c.error) << c.line;
        EXPECT_EQ(out.items, c.items) << c.line;
    }
}

TEST(DefinitionReader, ValuesEndAfter1024Characters)
{
    // Values past the cut are not there: the line has only three of its four.
    const std::string cut = "#05 1 2 3" + std::string(1020, ' ') + "4";
    EXPECT_EQ(parse(cut).error, convertError(""));
    const std::string kept = "#05 1 2 3" + std::string(1010, ' ') + "4";
    EXPECT_EQ(parse(kept).items, Items { "pattern 5: 1 2 3 4" });
    const Outcome name = parse("#CHARNAME " + std::string(3000, 'n'));
    EXPECT_EQ(name.items, Items { "name " + std::string(1023, 'n') });
}

TEST(DefinitionReader, FailureStopsTheParseWithEverythingBeforeItHandedOver)
{
    std::string text;
    for (int i = 1; i <= 9; ++i)
        text += "#PATERN " + std::to_string(i) + " 01\n";
    text += "#ANIME fast\n#CHARNAME never\n";
    const Outcome out = parse(text);
    EXPECT_EQ(out.error, convertError("fast"));
    ASSERT_EQ(out.items.size(), 18u);
    EXPECT_EQ(out.items.back(), "base end 9");
}

TEST(DefinitionReader, NulEndsTheTextAndByteOrderMarkHidesTheFirstLine)
{
    EXPECT_EQ(parse("#ANIME 5\n#CHAR\0NAME x\n#ANIME 7"s).items, Items { "interval 5" });
    EXPECT_EQ(parse("\xef\xbb\xbf#ANIME 5\n#ANIME 6").items, Items { "interval 6" });
    EXPECT_EQ(parse("#CHARNAME a\x1a").items, Items { "name a" }); // 26 is a control character, trimmed
}

TEST(DefinitionReader, ReadsFilesWholeAndNamesAnUnopenableOne)
{
    const auto folder = std::filesystem::path(testing::TempDir()) / "nimbrel_reader_file";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "chara.txt").string();
    std::ofstream(path, std::ios::binary) << kExample;
    RecordingSink sink;
    character::readDefinitionFile(path, sink);
    EXPECT_EQ(sink.items, kExampleItems);

    const std::string missing = (folder / "missing.txt").string();
    try {
        character::readDefinitionFile(missing, sink);
        ADD_FAILURE() << "no failure";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "ファイル " + missing + " は開けません");
    }
    std::filesystem::remove_all(folder);
}

} // namespace
