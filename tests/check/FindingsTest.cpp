// Every error and warning of the checker, each found at its line and columns
// on a small file, and nothing else found there.

#include "CheckSupport.h"

#include "check/CheckMessages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using checktest::check;

// A character that checks clean; rows add their lines from line 6 on.
const std::string kClean
    = "#CHARNAME Test\n#CHARBMP sheet.bmp\n#01 0 0 121 271\n#02 0 0 50 50\n#PATERN 01 0202\n";

std::vector<std::string> findings(const check::Report& report)
{
    std::vector<std::string> out;
    for (const check::Diagnostic& d : report.diagnostics)
        out.push_back(std::string(d.code) + " " + std::to_string(d.at.line) + ":"
            + std::to_string(d.at.column) + "-" + std::to_string(d.at.endColumn));
    return out;
}

struct Row {
    const char* name;
    std::string text;
    std::vector<std::string> expected;
};

TEST(Findings, EachProblemIsFoundAtItsPlaceAndNothingElse)
{
    const std::vector<Row> rows = {
        { "clean", kClean, {} },
        { "bad number", kClean + "#ANIME 10x", { "number 6:8-11" } },
        { "animation range", kClean + "#PATERN 31 02", { "animation-range 6:9-11" } },
        { "sheet missing", kClean + "#CHARBMP missing.bmp", { "sheet 6:10-21" } },
        { "byte-order mark", "\xEF\xBB\xBF" + kClean, { "bom 1:1-4" } },
        { "misspelt keyword", kClean + "#PATTERN 01 02", { "unknown-line 6:1-9" } },
        { "indented keyword", kClean + "  #ANIME 5", { "unknown-line 6:3-9" } },
        { "hex number, decimal numbering", kClean + "#0A 0 0 5 5", { "unknown-line 6:1-4" } },
        { "one digit, hex numbering", kClean + "#DATA 16\n#1 0 0 5 5", { "unknown-line 7:1-3" } },
        { "name cut", kClean + "#CHARNAME Red Cap", { "name-cut 6:15-18" } },
        { "sheet name cut", kClean + "#CHARBMP sheet.bmp old", { "sheet-name-cut 6:20-23" } },
        { "odd list", kClean + "#PATERN 02 02020", { "list-odd 6:16-17" } },
        { "list past 255", kClean + "#PATERN 02 " + std::string(510, '0') + "0202",
            { "list-overflow 6:522-526" } },
        { "list rest", kClean + "#PATERN 02 02 03", { "list-rest 6:15-17" } },
        { "layer line rest", kClean + "#LAYER 01 0202  02",
            { "layer-placement 6:11-13", "layer-placement 6:13-15", "list-rest 6:17-19" } },
        { "shorter list", kClean + "#PATERN 02 020202\n#PATERN 02 02", { "list-overwritten 7:12-14" } },
        { "undefined pattern", kClean + "#PATERN 02 0203", { "pattern-undefined 6:14-16" } },
        { "decimal twin", kClean + "#10 0 0 5 5\n#PATERN 02 10", { "pattern-undefined 7:12-14" } },
        { "three digits", kClean + "#100 0 5 5 5", { "pattern-three-digits 6:2-5" } },
        { "off the sheet", kClean + "#03 190 0 20 20\n#PATERN 02 03", { "pattern-outside-sheet 6:5-16" } },
        { "empty rectangle", kClean + "#03 0 0 0 20\n#PATERN 02 03", { "pattern-outside-sheet 6:5-13" } },
        { "base wider than the view", kClean + "#03 0 0 130 20\n#PATERN 02 03", { "outside-view 6:5-15" } },
        { "layer past the view", kClean + "#03 0 0 40 40\n#04 100 0 10 10\n#PATERN 02 02\n#LAYER 02 03 04",
            { "outside-view 9:14-16" } },
        { "layer without placement", kClean + "#03 0 0 10 10\n#PATERN 02 0202\n#LAYER 02 0303 03",
            { "layer-placement 8:13-15" } },
        { "lengths differ", kClean + "#03 0 0 10 10\n#PATERN 02 0202\n#LAYER 02 03 03",
            { "lengths-differ 8:11-13" } },
        { "no button", kClean + "#PATERN 13 02", { "no-button 6:9-11" } },
        { "animation 9", kClean + "#PATERN 09 02", { "no-button 6:9-11" } },
        { "pattern check row", kClean + "#PATERN 30 02", { "no-button 6:9-11" } },
        { "small background", kClean + "#01 0 0 100 271", { "background 6:5-16" } },
        { "no background", "#CHARBMP sheet.bmp\n#02 0 0 5 5\n#PATERN 01 02", { "background 0:0-0" } },
        { "interval", kClean + "#ANIME 0", { "interval 6:8-9" } },
        { "no sheet", "#01 0 0 121 271\n#PATERN 01 01", { "no-sheet 0:0-0" } },
        { "empty start", "#CHARBMP sheet.bmp\n#01 0 0 121 271\n#PATERN 01", { "empty-start 3:9-11" } },
        { "value cut", kClean + "#CHARNAME " + std::string(1100, 'a'), { "value-cut 6:1034-1111" } },
        { "numbering", kClean + "#DATA 10", { "numbering 6:7-9" } },
    };
    for (const Row& row : rows)
        EXPECT_EQ(findings(check(row.text)), row.expected) << row.name;
}

TEST(Findings, ErrorsCarryTheErrorBoxTextAndWarningsSayWhatIsMeant)
{
    const check::Report report = check(kClean + "#ANIME 10x\n#PATTERN 01 02\n#10 0 0 5 5\n#PATERN 02 10\n");
    ASSERT_EQ(report.diagnostics.size(), 3u);
    EXPECT_EQ(report.diagnostics[0].severity, check::Severity::error);
    EXPECT_EQ(report.diagnostics[0].message, "'10x' は数値ではありません.");
    EXPECT_EQ(report.diagnostics[1].severity, check::Severity::warning);
    EXPECT_NE(report.diagnostics[1].message.find("'#PATERN' の誤り"), std::string::npos);
    EXPECT_NE(report.diagnostics[2].message.find("リストでは 0A と書きます"), std::string::npos);
}

// Reading goes on after each failing line, and what a failing line stored
// before its failure stays, as in a load: the 03 of line 7 is still looked
// up, and animation 2's frames are still checked after the error of line 8.
TEST(Findings, EveryFailingLineIsReportedAndReadingGoesOn)
{
    const check::Report report = check(kClean
        + "#ANIME abc\n#PATERN 01 03G2\n#05 1 2 x 4\n#PATERN 99 01\n#CHARBMP gone.bmp\n#PATERN 02 0404\n");
    EXPECT_EQ(findings(report),
        (std::vector<std::string> { "number 6:8-11", "pattern-undefined 7:12-14", "number 7:14-16",
            "number 8:9-10", "animation-range 9:9-11", "sheet 10:10-18", "pattern-undefined 11:12-14" }));
    EXPECT_EQ(report.count(check::Severity::error), 5u);
    EXPECT_EQ(report.diagnostics[5].message, "ファイル dir/gone.bmp は開けません.");
}

// The sheet of the last sheet line that loaded is the one measured, as the
// load keeps the former sheet when a later one fails.
TEST(Findings, AFailedSheetKeepsTheFormerSheetsSize)
{
    const std::string text
        = "#CHARBMP sheet.bmp\n#CHARBMP gone.bmp\n#01 0 0 121 271\n#02 190 0 20 20\n#PATERN 01 02";
    EXPECT_EQ(findings(check(text)),
        (std::vector<std::string> { "sheet 2:10-18", "pattern-outside-sheet 4:5-16" }));
}

TEST(Findings, TheSampleCharacterIsClean)
{
    const check::CheckedFile file = check::checkFile(
        std::string(NIMBREL_SOURCE_DIR) + "/examples/sample/sample.txt", check::pictureSheetOpener());
    EXPECT_FALSE(file.text.empty());
    EXPECT_EQ(findings(file.report), std::vector<std::string> {});
}

TEST(Findings, AFileThatCannotBeReadIsOneErrorOfThatFile)
{
    const check::CheckedFile file = check::checkFile("/nonexistent/char.txt", check::pictureSheetOpener());
    EXPECT_EQ(findings(file.report), std::vector<std::string> { "file 0:0-0" });
    EXPECT_EQ(file.report.diagnostics[0].message, "ファイル /nonexistent/char.txt は開けません.");
}

} // namespace
