// The text report: the heading as compilers write it, the source line as the
// window decodes names, and a caret line drawn from the same column map, so
// that tabs, wide characters and control characters keep the caret under
// the right bytes.

#include "check/TextReport.h"
#include "check/ProblemList.h"
#include "check/ShownLine.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string formatted(std::string_view text, check::Diagnostic d)
{
    const check::SourceLines lines({ reinterpret_cast<const std::uint8_t*>(text.data()), text.size() });
    return check::formatDiagnostic("c.txt", d, lines);
}

check::Diagnostic warningAt(std::size_t line, std::size_t column, std::size_t end)
{
    return check::Diagnostic { check::Severity::warning, "list-rest", "メッセージ", { line, column, end } };
}

TEST(TextReport, HeadingSourceAndCaretLines)
{
    struct Case {
        const char* name;
        std::string text;
        check::Diagnostic diagnostic;
        std::string expected;
    };
    const Case cases[] = {
        { "plain", "#ANIME 10x\r\n",
            { check::Severity::error, "number", "'10x' は数値ではありません.", { 1, 8, 11 } },
            "c.txt:1:8: error: '10x' は数値ではありません. [number]\n"
            "    1 | #ANIME 10x\n"
            "      |        ^~~\n" },
        // A tab before the range widens both lines alike.
        { "tab", "x\n#LAYER\t01 02 03\n", warningAt(2, 14, 16),
            "c.txt:2:14: warning: メッセージ [list-rest]\n"
            "    2 | #LAYER  01 02 03\n"
            "      |               ^~\n" },
        // Shift-JIS: two bytes, one wide character of two cells.
        { "shift-jis", "#CHARNAME \x83\x65\x83\x58\x83\x67 x\n", warningAt(1, 18, 19),
            "c.txt:1:18: warning: メッセージ [list-rest]\n"
            "    1 | #CHARNAME テスト x\n"
            "      |                  ^\n" },
        { "utf-8", "#CHARNAME テスト x\n", warningAt(1, 21, 22),
            "c.txt:1:21: warning: メッセージ [list-rest]\n"
            "    1 | #CHARNAME テスト x\n"
            "      |                  ^\n" },
        // The end-of-file mark is an ordinary character, shown as a picture.
        { "control", "#PATERN 01 02\x1A 03\n", warningAt(1, 17, 19),
            "c.txt:1:17: warning: メッセージ [list-rest]\n"
            "    1 | #PATERN 01 02\xE2\x90\x9A 03\n"
            "      |                 ^~\n" },
        { "past the end", "#PATERN 01\n", warningAt(1, 12, 12),
            "c.txt:1:12: warning: メッセージ [list-rest]\n"
            "    1 | #PATERN 01\n"
            "      |            ^\n" },
        { "whole file", "", warningAt(0, 0, 0), "c.txt:1:1: warning: メッセージ [list-rest]\n" },
        // Runs of plain bytes between the others keep every column in step.
        { "mixed",
            "ab\x83\x65"
            "cd\tef\x7F"
            "g\x83\x58"
            "h\n",
            warningAt(1, 14, 15),
            "c.txt:1:14: warning: メッセージ [list-rest]\n"
            "    1 | abテcd  ef\xE2\x90\xA1gスh\n"
            "      |               ^\n" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatted(c.text, c.diagnostic), c.expected) << c.name;
}

TEST(TextReport, GutterGrowsWithTheLineNumber)
{
    std::string text;
    for (int i = 0; i < 123456; ++i)
        text += "\n";
    text += "#X";
    EXPECT_EQ(formatted(text, warningAt(123457, 1, 3)),
        "c.txt:123457:1: warning: メッセージ [list-rest]\n"
        "123457 | #X\n"
        "       | ^~\n");
}

TEST(TextReport, SummaryLine)
{
    EXPECT_EQ(check::summaryLine(2, 0), "2 errors, 0 warnings\n");
}

} // namespace

namespace {

// The window's list shows the same places and texts as the text report.
TEST(ProblemList, RowsCarryPlaceSeverityMessageAndSourceLine)
{
    const std::string text = "#CHARBMP sheet.bmp\n#01 0 0 121 271\n#PATERN 01 01\n#ANIME\t1x\n";
    check::CheckedFile file;
    file.text.assign(text.begin(), text.end());
    file.report = check::checkDefinition(file.text, "c.txt", [](const std::string&) {
        return check::SheetSize { 200, 300 };
    });
    const std::vector<check::ProblemRow> rows = check::problemRows(file);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].line, "4");
    EXPECT_EQ(rows[0].column, "8");
    EXPECT_TRUE(rows[0].error);
    EXPECT_EQ(rows[0].severity, "エラー");
    EXPECT_EQ(rows[0].message, "'1x' は数値ではありません.");
    EXPECT_EQ(rows[0].code, "number");
    EXPECT_EQ(rows[0].source, "#ANIME  1x");
    EXPECT_EQ(check::problemSummary("c.txt", file.report), "c.txt: エラー 1 件、警告 0 件");
}

} // namespace
