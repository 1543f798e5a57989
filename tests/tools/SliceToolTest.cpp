// nimbrel-slice as an author runs it on the sample: what it finds on the
// sample's sheet, on a copy whose file lost three pose lines, and whether
// the lines it prints read back as the rectangles it meant.

#include "character/LoadProcedure.h"
#include "playback/HeadlessForm.h"
#include "tools/ShellRun.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The three poses whose lines the copy leaves out, and their cells.
const std::vector<std::pair<std::string, TRect>> kDeleted {
    { "#0C", { 121, 200, 242, 400 } },
    { "#14", { 242, 400, 363, 600 } },
    { "#22", { 242, 800, 363, 1000 } },
};

class SliceTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "nimbrel-slice-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        const fs::path sample = fs::path(NIMBREL_SOURCE_DIR) / "examples/sample";
        fs::copy_file(sample / "sample.bmp", m_dir / "sample.bmp");
        std::string copy;
        for (const std::string& line : lines(readFile(sample / "sample.txt"))) {
            const bool deleted = std::any_of(kDeleted.begin(), kDeleted.end(),
                [&](const auto& d) { return line.starts_with(d.first + " "); });
            if (!deleted)
                copy += line + "\n";
        }
        write("copy.txt", copy);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(m_dir / name, std::ios::binary) << bytes;
    }

    ToolRun slice(const std::string& arguments) const
    {
        const std::string line
            = "cd '" + m_dir.string() + "' && " + NIMBREL_SLICE_BINARY + " " + arguments + " 2>err.txt";
        const tooltest::ShellRun shell = tooltest::runShell(line);
        ToolRun run { shell.status, shell.out, {} };
        run.err = readFile(m_dir / "err.txt");
        return run;
    }

    // The patterns as the viewer's own load procedure reads the file.
    character::CharacterState load(const std::string& name) const
    {
        character::CharacterState state;
        playback::HeadlessForm form;
        character::fileload((m_dir / name).string(), state, form, nullptr);
        return state;
    }

    fs::path m_dir;
};

TEST_F(SliceTool, TheSamplesPosesAndEffectsAreAllCut)
{
    const ToolRun run = slice(std::string(NIMBREL_SOURCE_DIR) + "/examples/sample/sample.txt");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(
        run.err, "nimbrel-slice: 79 islands found, 79 already defined, 0 missing, 0 without a number\n");
}

TEST_F(SliceTool, DeletedPosesComeBackTightAndReadBackAsPrinted)
{
    const ToolRun run = slice("copy.txt");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(
        run.err, "nimbrel-slice: 79 islands found, 76 already defined, 3 missing, 0 without a number\n");
    const std::vector<std::string> printed = lines(run.out);
    ASSERT_EQ(printed.size(), kDeleted.size());

    // The lines take the deleted numbers back, as they are the lowest free.
    write("copy.txt", readFile(m_dir / "copy.txt") + run.out);
    const character::CharacterState state = load("copy.txt");
    for (std::size_t i = 0; i < printed.size(); ++i) {
        unsigned number = 0;
        int left = 0, top = 0, width = 0, height = 0, end = 0;
        ASSERT_EQ(std::sscanf(
                      printed[i].c_str(), "#%2X %d %d %d %d%n", &number, &left, &top, &width, &height, &end),
            5)
            << printed[i];
        ASSERT_EQ(std::size_t(end), printed[i].size()) << printed[i];
        char written[8];
        std::snprintf(written, sizeof written, "#%02X", number);
        EXPECT_EQ(written, kDeleted[i].first);
        const TRect rect { left, top, left + width, top + height };
        const TRect& cell = kDeleted[i].second;
        EXPECT_TRUE(rect.Left >= cell.Left && rect.Top >= cell.Top && rect.Right <= cell.Right
            && rect.Bottom <= cell.Bottom && rect.width() < cell.width() && rect.height() < cell.height())
            << printed[i];
        EXPECT_EQ(state.tables.patterns[number].rect, rect) << printed[i];
    }
    const ToolRun again = slice("copy.txt");
    EXPECT_EQ(again.out, "");
    EXPECT_EQ(
        again.err, "nimbrel-slice: 79 islands found, 79 already defined, 0 missing, 0 without a number\n");
}

TEST_F(SliceTool, GridCellsAreTheDeletedRectangles)
{
    const ToolRun run = slice("--grid 121x200 copy.txt");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "#0C 121 200 121 200\n#14 242 400 121 200\n#22 242 800 121 200\n");
    EXPECT_EQ(run.err, "nimbrel-slice: 40 cells found, 37 already defined, 3 missing, 0 without a number\n");
    EXPECT_EQ(slice("--grid=121x200+0+0 copy.txt").out, run.out);
}

TEST_F(SliceTool, JsonLinesCarryTheTextLinesAndTheirPixels)
{
    const std::vector<std::string> text = lines(slice("--gap 2 --min-area 50 copy.txt").out);
    const std::vector<std::string> json = lines(slice("--format json --gap=2 --min-area=50 copy.txt").out);
    ASSERT_EQ(json.size(), text.size());
    ASSERT_FALSE(json.empty());
    for (std::size_t i = 0; i < json.size(); ++i) {
        const nlohmann::json object = nlohmann::json::parse(json[i]);
        EXPECT_EQ(object.at("line"), text[i]);
        char line[64];
        std::snprintf(line, sizeof line, "#%02X %d %d %d %d", object.at("number").get<int>(),
            object.at("left").get<int>(), object.at("top").get<int>(), object.at("width").get<int>(),
            object.at("height").get<int>());
        EXPECT_EQ(line, text[i]);
        EXPECT_GE(object.at("pixels").get<long>(), 50);
        EXPECT_LE(object.at("pixels").get<long>(),
            object.at("width").get<long>() * object.at("height").get<long>());
    }
}

// A bare sheet: its corner is the key, nothing is defined, numbers are decimal.
TEST_F(SliceTool, ASheetImageAlone)
{
    const ToolRun run = slice("sample.bmp");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> printed = lines(run.out);
    ASSERT_EQ(printed.size(), 79u);
    EXPECT_EQ(printed[0], "#01 0 0 121 271");
    EXPECT_EQ(printed[1], "#02 142 109 78 89");
    EXPECT_EQ(
        run.err, "nimbrel-slice: 79 islands found, 0 already defined, 79 missing, 0 without a number\n");
    // Decimal numbers end at 99; a tiny grid finds more cells than that.
    const ToolRun many = slice("--grid 40x40 sample.bmp");
    EXPECT_EQ(lines(many.out).back().substr(0, 4), "#99 ");
    EXPECT_NE(many.err.find(" without a number"), std::string::npos);
    EXPECT_EQ(many.err.find(" 0 without a number"), std::string::npos) << many.err;
}

TEST_F(SliceTool, ErrorsAndUsage)
{
    write("nosheet.txt", "#CHARNAME x\n#01 0 0 1 1\n");
    write("badsheet.txt", "#CHARBMP broken.bmp\n");
    write("broken.bmp", "BM not really");
    write("badnumber.txt", "#CHARBMP sample.bmp\n#ANIME 1O0\n");
    struct Row {
        std::string arguments;
        int status;
        std::string err; // the start of its first line
    };
    const Row rows[] = {
        { "missing.txt", 1, "nimbrel-slice: ファイル missing.txt は開けません" },
        { "nosheet.txt", 1, "nimbrel-slice: シート画像が読み込まれていません" },
        { "badsheet.txt", 1, "nimbrel-slice: " },
        { "broken.bmp", 1, "nimbrel-slice: " },
        { "badnumber.txt", 1, "nimbrel-slice: '1O0' は数値ではありません" },
        { "", 2, "nimbrel-slice: no file given" },
        { "copy.txt sample.bmp", 2, "nimbrel-slice: one file at a time" },
        { "--gap 1025 copy.txt", 2, "nimbrel-slice: --gap needs a number from 0 to 1024" },
        { "--gap -1 copy.txt", 2, "nimbrel-slice: --gap needs" },
        { "--min-area 0 copy.txt", 2, "nimbrel-slice: --min-area needs" },
        { "--grid 0x5 copy.txt", 2, "nimbrel-slice: --grid needs" },
        { "--grid 10x copy.txt", 2, "nimbrel-slice: --grid needs" },
        { "--grid 10x10+5 copy.txt", 2, "nimbrel-slice: --grid needs" },
        { "--format xml copy.txt", 2, "nimbrel-slice: unknown format: xml" },
        { "--gap", 2, "nimbrel-slice: --gap needs a value" },
        { "--frobnicate copy.txt", 2, "nimbrel-slice: unknown option: --frobnicate" },
    };
    for (const Row& row : rows) {
        const ToolRun run = slice(row.arguments);
        EXPECT_EQ(run.status, row.status) << row.arguments;
        EXPECT_EQ(run.out, "") << row.arguments;
        EXPECT_EQ(run.err.rfind(row.err, 0), 0u) << row.arguments << ": " << run.err;
    }
    const ToolRun version = slice("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("nimbrel-slice ") + NIMBREL_VERSION + "\n");
    const ToolRun help = slice("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: nimbrel-slice [--gap N]", 0), 0u);
}

} // namespace
