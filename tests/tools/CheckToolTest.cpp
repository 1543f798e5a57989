// nimbrel-check as a user, an editor or a CI job runs it: exit statuses, the
// JSON lines against the text report, and Vim's quickfix list read from the
// text report with its default error format.

#include "tools/ShellRun.h"
#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

using ToolRun = tooltest::ShellRun;

class CheckTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "nimbrel-check-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        fs::copy_file(fs::path(NIMBREL_SOURCE_DIR) / "examples/sample/sample.bmp", m_dir / "sample.bmp");
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(m_dir / name, std::ios::binary) << bytes;
        return name;
    }

    // Runs a shell command in the scratch folder; stdout is captured.
    ToolRun shell(const std::string& command) const
    {
        const std::string line = "cd '" + m_dir.string() + "' && " + command + " 2>/dev/null";
        return tooltest::runShell(line);
    }

    ToolRun check(const std::string& arguments) const
    {
        return shell(std::string(NIMBREL_CHECK_BINARY) + " " + arguments);
    }

    fs::path m_dir;
};

const std::string kBroken = "#CHARNAME Broken\n#CHARBMP sample.bmp\n#ANIME 1O0\n#01 0 0 121 271\n"
                            "#PATTERN 01 0202\n#PATERN 01 01\n#PATERN 02 0\tx\n#PATERN 99\n";
const std::string kWarnedOnly = "#CHARBMP sample.bmp\n#01 0 0 121 271\n#PATERN 01 0101 x\n";

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

TEST_F(CheckTool, ExitStatusTellsErrorsWarningsAndUsage)
{
    write("broken.txt", kBroken);
    write("warned.txt", kWarnedOnly);
    const ToolRun sample = check(std::string(NIMBREL_SOURCE_DIR) + "/examples/sample/sample.txt");
    EXPECT_EQ(sample.status, 0);
    EXPECT_EQ(sample.out, "0 errors, 0 warnings\n");
    EXPECT_EQ(check("broken.txt").status, 1);
    EXPECT_EQ(check("warned.txt").status, 0);
    EXPECT_EQ(check("--werror warned.txt").status, 1);
    EXPECT_EQ(check("--format xml warned.txt").status, 2);
    EXPECT_EQ(check("--frobnicate warned.txt").status, 2);
    EXPECT_EQ(check("").status, 2);
    const ToolRun version = check("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("nimbrel-check ") + NIMBREL_VERSION + "\n");
    EXPECT_EQ(check("--help").status, 0);
}

// A file that cannot be read is an error of its own; the next file is still checked.
TEST_F(CheckTool, AnUnreadableFileDoesNotStopTheOthers)
{
    write("warned.txt", kWarnedOnly);
    const ToolRun run = check("missing.txt warned.txt");
    EXPECT_EQ(run.status, 1);
    const std::vector<std::string> out = lines(run.out);
    ASSERT_GE(out.size(), 2u);
    EXPECT_EQ(out.front(), "missing.txt:1:1: error: ファイル missing.txt は開けません. [file]");
    EXPECT_EQ(out.back(), "1 errors, 1 warnings");
    EXPECT_EQ(out[1].rfind("warned.txt:3:", 0), 0u) << out[1];
}

TEST_F(CheckTool, JsonLinesAgreeWithTheTextReport)
{
    write("broken.txt", kBroken);
    const std::regex heading(R"(^(.+):(\d+):(\d+): (error|warning): (.*) \[([a-z-]+)\]$)");
    std::vector<nlohmann::json> fromText;
    for (const std::string& line : lines(check("broken.txt").out)) {
        std::smatch m;
        if (std::regex_match(line, m, heading))
            fromText.push_back({ { "file", m[1] }, { "line", std::stoi(m[2]) }, { "column", std::stoi(m[3]) },
                { "severity", m[4] }, { "message", m[5] }, { "code", m[6] } });
    }
    const ToolRun json = check("--format json broken.txt");
    EXPECT_EQ(json.status, 1);
    const std::vector<std::string> objects = lines(json.out);
    ASSERT_EQ(objects.size(), fromText.size());
    ASSERT_GE(objects.size(), 5u);
    for (std::size_t i = 0; i < objects.size(); ++i) {
        nlohmann::json object = nlohmann::json::parse(objects[i]);
        EXPECT_GE(object.at("endColumn").get<int>(), object.at("column").get<int>());
        object.erase("endColumn");
        EXPECT_EQ(object, fromText[i]) << objects[i];
    }
}

// Vim's default 'errorformat' takes "FILE:LINE:COLUMN:MESSAGE" lines; the
// source and caret lines, behind their gutter, are no entries.
TEST_F(CheckTool, VimQuickfixReadsFileLineAndColumn)
{
    if (shell("command -v vim").status != 0)
        GTEST_SKIP() << "vim is not installed";
    write("broken.txt", kBroken);
    write("report.txt", check("broken.txt").out);
    const ToolRun vim
        = shell("vim -es -N -u NONE -i NONE -c 'cfile report.txt' -c 'call writefile(map(filter("
                "getqflist(), \"v:val.valid\"), \"bufname(v:val.bufnr).\\\":\\\".v:val.lnum.\\\":\\\""
                ".v:val.col\"), \"entries.txt\")' -c 'qa!' </dev/null");
    std::ifstream in(m_dir / "entries.txt");
    std::stringstream entries;
    entries << in.rdbuf();
    std::vector<std::string> expected;
    const std::regex heading(R"(^([^:]+):(\d+):(\d+): .*$)");
    for (const std::string& line : lines(check("broken.txt").out)) {
        std::smatch m;
        if (std::regex_match(line, m, heading))
            expected.push_back(std::string(m[1]) + ":" + std::string(m[2]) + ":" + std::string(m[3]));
    }
    ASSERT_GE(expected.size(), 5u);
    EXPECT_EQ(lines(entries.str()), expected);
}

} // namespace
