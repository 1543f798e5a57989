#include "closeup/PatternNumbers.h"

#include "character/TableTestFiles.h"
#include "closeup/SheetRegions.h"
#include "playback/FormLogic.h"
#include "playback/HeadlessForm.h"
#include "playback/NullHost.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Loads definition texts the way the window does, without a sheet surface.
class Lines : public testing::Test {
protected:
    const character::CharacterState& load(const std::string& text)
    {
        m_text = text;
        tabletest::writeText(dir / "c.txt", text);
        logic.drop(dir / "c.txt");
        return logic.state();
    }
    const character::CharacterState& append(const std::string& line) { return load(m_text + line + "\n"); }

    tabletest::TempFolder dir;
    playback::HeadlessForm form;
    playbacktest::NullHost host;
    playback::FormLogic logic { form, host };

private:
    std::string m_text;
};

} // namespace

TEST_F(Lines, ASelectionsLineReadsBackAsThatRectangleInEitherNumbering)
{
    struct Row {
        const char* file;
        TPoint from;
        TPoint to;
        const char* line;
        int number;
    };
    const Row rows[] = {
        { "#1 0 0 121 271\n#2 121 0 121 271\n#4 0 0 1 1\n", { 130, 40 }, { 121, 10 }, "#03 121 10 10 31", 3 },
        // Drags may run any way and past the sheet's edge, which cuts them.
        { "#DATA 16\n#01 0 0 121 271\n#02 1 1 2 2\n", { 400, 330 }, { 340, 300 }, "#03 340 300 23 20", 3 },
        { "#1 0 0 1 1\n#DATA 16\n#02 0 0 1 1\n#03 0 0 1 1\n", { 5, 6 }, { 5, 6 }, "#04 5 6 1 1", 4 },
    };
    for (const Row& row : rows) {
        const character::CharacterState& state = load(row.file);
        const TRect selection = closeup::dragSelection(row.from, row.to, 363, 320);
        const auto number = closeup::lowestFreePattern(state);
        ASSERT_EQ(number, row.number) << row.file;
        const std::string line = closeup::patternLine(*number, state.hexNumbering, selection);
        EXPECT_EQ(line, row.line);
        const character::CharacterState& after = append(line);
        EXPECT_EQ(after.tables.patterns[static_cast<std::size_t>(*number)].rect, selection) << line;
        EXPECT_TRUE(after.definedPatterns.test(static_cast<std::size_t>(*number)));
    }
}

TEST_F(Lines, HexadecimalNumbersPastNineReadBackToo)
{
    std::string file = "#DATA 16\n";
    for (int n = 1; n <= 0x1F; ++n)
        file += "#" + closeup::listPair(n) + " 0 0 1 1\n";
    const character::CharacterState& state = load(file);
    ASSERT_EQ(closeup::lowestFreePattern(state), 0x20);
    const std::string line = closeup::patternLine(0x20, true, TRect { 7, 8, 10, 12 });
    EXPECT_EQ(line, "#20 7 8 3 4");
    EXPECT_EQ(append(line).tables.patterns[0x20].rect, (TRect { 7, 8, 10, 12 }));
}

TEST_F(Lines, TheLowestFreeNumberIsOneTheFileCanWrite)
{
    std::string decimal;
    for (int n = 1; n <= 99; ++n)
        decimal += "#" + std::to_string(n) + " 0 0 0 0\n";
    // Patterns with no area are defined all the same.
    EXPECT_EQ(closeup::lowestFreePattern(load(decimal)), std::nullopt);
    EXPECT_EQ(closeup::lowestFreePattern(load(decimal + "#DATA 16\n")), 100);
    EXPECT_EQ(closeup::lowestFreePattern(load("#2 0 0 1 1\n")), 1);
    // A reload forgets what the file no longer defines.
    EXPECT_EQ(closeup::lowestFreePattern(load("#1 0 0 1 1\n")), 2);
}

TEST_F(Lines, LabelsWriteTheNumberAsItsLineDoes)
{
    const character::CharacterState& state
        = load("#7 0 0 1 1\n#10 0 0 1 1\n#DATA 16\n#0B 0 0 1 1\n#ff 0 0 1 1\n");
    EXPECT_EQ(closeup::patternLabel(state, 7), "07");
    EXPECT_EQ(closeup::patternLabel(state, 10), "10 (0A)");
    EXPECT_EQ(closeup::patternLabel(state, 11), "0B");
    EXPECT_EQ(closeup::patternLabel(state, 255), "FF");
    EXPECT_EQ(closeup::listPair(-1), "--");
    EXPECT_EQ(closeup::listPair(256), "--");
}
