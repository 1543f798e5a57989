#include "RecordingSink.h"

#include <gtest/gtest.h>

namespace {

using namespace readertest;

Items baseFrames(int animation, std::initializer_list<int> patterns)
{
    Items items;
    int k = 0;
    for (const int p : patterns)
        items.push_back(
            "base " + std::to_string(animation) + "/" + std::to_string(++k) + " = " + std::to_string(p));
    items.push_back("base end " + std::to_string(animation));
    return items;
}

TEST(DefinitionLists, BaseListsAreHexPairsAfterATwoCharacterAnimationNumber)
{
    const struct {
        const char* line;
        Items items;
    } cases[] = {
        { "#PATERN 05 010203", baseFrames(5, { 1, 2, 3 }) },
        { "#PATERN 5 010203", baseFrames(5, { 1, 2, 3 }) },
        { "#PATERN 05010203", baseFrames(5, { 1, 2, 3 }) },
        { "#patern\t05\t010203 \t", baseFrames(5, { 1, 2, 3 }) },
        { "#PATERN 05 01020", baseFrames(5, { 1, 2 }) },
        { "#PATERN 05 01 02", baseFrames(5, { 1 }) },
        { "#PATERN 05", baseFrames(5, {}) },
        { "#PATERN 30 00ff0A", baseFrames(30, { 0, 255, 10 }) },
        { "#PATERN 0 01", baseFrames(0, { 1 }) },
        { "#PATERN $F01", baseFrames(15, { 1 }) },
    };
    for (const auto& c : cases) {
        const Outcome out = parse(c.line);
        EXPECT_EQ(out.error, "") << c.line;
        EXPECT_EQ(out.items, c.items) << c.line;
    }
}

TEST(DefinitionLists, LaterListsOverwriteOnlyTheirOwnSlots)
{
    Items expected = baseFrames(5, { 1, 2, 3 });
    const Items second = baseFrames(5, { 9 });
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(parse("#PATERN 05 010203\n#PATERN 05 09").items, expected);
}

TEST(DefinitionLists, LayerLinesCarryALayerAndAPlacementList)
{
    EXPECT_EQ(parse("#LAYER 06 0A0B 0C0D").items,
        (Items {
            "layer 6/1 = 10", "layer 6/2 = 11", "placement 6/1 = 12", "placement 6/2 = 13", "layer end 6" }));
    EXPECT_EQ(parse("#LAYER 06 0A\t0C extra").items,
        (Items { "layer 6/1 = 10", "placement 6/1 = 12", "layer end 6" }));
    // A second blank before the placement list leaves it empty, as does its absence.
    EXPECT_EQ(
        parse("#LAYER 06 0A0B  0C0D").items, (Items { "layer 6/1 = 10", "layer 6/2 = 11", "layer end 6" }));
    EXPECT_EQ(parse("#LAYER 06 0A0B").items, (Items { "layer 6/1 = 10", "layer 6/2 = 11", "layer end 6" }));
    EXPECT_EQ(parse("#layer 30").items, (Items { "layer end 30" }));
}

TEST(DefinitionLists, BadPairsFailAfterThePairsBeforeThem)
{
    const struct {
        const char* line;
        Items items;
        std::string error;
    } cases[] = {
        { "#PATERN 05 01G2", { "base 5/1 = 1" }, convertError("$G2") },
        { "#PATERN 05 01-1", { "base 5/1 = 1" }, convertError("$-1") },
        { "#PATERN", {}, convertError("") },
        { "#PATERNX", {}, convertError("X") },
        { "#PATERN ab01", {}, convertError("ab") },
        // The whole layer list is handed over when the placement list fails;
        // the end of the line never is.
        { "#LAYER 06 0A0B 0CGG", { "layer 6/1 = 10", "layer 6/2 = 11", "placement 6/1 = 12" },
            convertError("$GG") },
        { "#LAYER 06 0AZZ 0C", { "layer 6/1 = 10" }, convertError("$ZZ") },
    };
    for (const auto& c : cases) {
        const Outcome out = parse(c.line);
        EXPECT_EQ(out.error, c.error) << c.line;
        EXPECT_EQ(out.items, c.items) << c.line;
    }
}

TEST(DefinitionLists, AnimationNumbersOutsideTheTablesFailBeforeAnyPair)
{
    const struct {
        const char* line;
        const char* number;
    } cases[] = {
        { "#PATERN 31 01", "31" },
        { "#PATERN 99 01", "99" },
        { "#PATERN -1 01", "-1" },
        { "#LAYER 31 01 02", "31" },
        { "#LAYER 40", "40" },
    };
    for (const auto& c : cases) {
        const Outcome out = parse(c.line);
        EXPECT_EQ(out.error, std::string("ERangeError: アニメーション番号 ") + c.number + " は範囲外です")
            << c.line;
        EXPECT_EQ(out.items, Items {}) << c.line;
    }
}

TEST(DefinitionLists, PairsPastFrame255AreIgnoredUnread)
{
    std::string list;
    for (int k = 1; k <= 255; ++k) {
        static const char* const kHex = "0123456789ABCDEF";
        list += kHex[k / 16];
        list += kHex[k % 16];
    }
    list += "GGGG"; // would fail if it were decoded
    const Outcome base = parse("#PATERN 07 " + list);
    EXPECT_EQ(base.error, "");
    ASSERT_EQ(base.items.size(), 256u);
    EXPECT_EQ(base.items[254], "base 7/255 = 255");
    const Outcome layer = parse("#LAYER 07 00 " + list);
    EXPECT_EQ(layer.error, "");
    ASSERT_EQ(layer.items.size(), 257u);
    EXPECT_EQ(layer.items[255], "placement 7/255 = 255");
    EXPECT_EQ(layer.items[256], "layer end 7");
}

} // namespace
