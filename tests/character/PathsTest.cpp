#include "character/Paths.h"

#include "TableTestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

using character::definitionFolder;
using character::sheetPath;

TEST(Paths, DefinitionFolderKeepsItsLastSlash)
{
    EXPECT_EQ(definitionFolder("/data/chars/red.txt"), "/data/chars/");
    EXPECT_EQ(definitionFolder("/red.txt"), "/");
    EXPECT_EQ(definitionFolder("red.txt"), "");
    EXPECT_EQ(definitionFolder("a\\b.txt"), "");
}

TEST(Paths, BackslashesSeparateFoldersOfTheSheetName)
{
    tabletest::TempFolder dir;
    std::filesystem::create_directories(dir.path() / "img");
    tabletest::writeText(dir / "img/sheet.bmp", "x");
    const std::string folder = (dir.path() / "").string();
    EXPECT_EQ(sheetPath(folder, "img\\sheet.bmp"), folder + "img/sheet.bmp");
}

// Shift-JIS names whose characters end in 0x5C (表 95 5C, ソ 83 5C, 予 97
// 5C, 能 94 5C): that byte is part of the character, not a separator; a
// 0x5C after a whole character still is one, and UTF-8 names are unaffected.
TEST(Paths, TheTrailByte5COfAShiftJisCharacterIsNoSeparator)
{
    tabletest::TempFolder dir;
    const std::string folder = (dir.path() / "").string();
    struct Case {
        std::string written, found;
    };
    const Case cases[] = {
        { "\x95\x5C\x8F\xEE.bmp", "\x95\x5C\x8F\xEE.bmp" }, // 表情.bmp
        { "\x83\x5C\x83\x5C.bmp", "\x83\x5C\x83\x5C.bmp" }, // ソソ.bmp
        { "\x97\x5C\\\x94\x5C.bmp", "\x97\x5C/\x94\x5C.bmp" }, // 予\能.bmp
        { "a\\\x95\x5C.bmp", "a/\x95\x5C.bmp" }, // a\表.bmp
        { "u\\表.bmp", "u/表.bmp" }, // UTF-8
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.found);
        std::filesystem::create_directories((dir.path() / c.found).parent_path());
        tabletest::writeText(folder + c.found, "x");
        EXPECT_EQ(sheetPath(folder, c.written), folder + c.found);
    }
}

TEST(Paths, ExactCaseWinsOverACaseBlindTwin)
{
    tabletest::TempFolder dir;
    tabletest::writeText(dir / "Sheet.bmp", "x");
    tabletest::writeText(dir / "sheet.bmp", "y");
    const std::string folder = (dir.path() / "").string();
    EXPECT_EQ(sheetPath(folder, "sheet.bmp"), folder + "sheet.bmp");
    EXPECT_EQ(sheetPath(folder, "Sheet.bmp"), folder + "Sheet.bmp");
}

TEST(Paths, NamesWrittenOnCaseBlindSystemsFindTheirFiles)
{
    tabletest::TempFolder dir;
    std::filesystem::create_directories(dir.path() / "Img");
    tabletest::writeText(dir / "Img/Sheet.BMP", "x");
    const std::string folder = (dir.path() / "").string();
    EXPECT_EQ(sheetPath(folder, "IMG\\sheet.bmp"), folder + "Img/Sheet.BMP");
    EXPECT_EQ(sheetPath(folder, "img/SHEET.bmp"), folder + "Img/Sheet.BMP");
}

TEST(Paths, ANameThatMatchesNothingIsKeptAsWritten)
{
    tabletest::TempFolder dir;
    const std::string folder = (dir.path() / "").string();
    EXPECT_EQ(sheetPath(folder, "Missing\\Sheet.bmp"), folder + "Missing/Sheet.bmp");
    EXPECT_EQ(sheetPath(folder, ""), folder);
}
