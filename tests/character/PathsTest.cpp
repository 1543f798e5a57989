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
