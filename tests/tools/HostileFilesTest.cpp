// The driver and the checker on files that are not what they seem. Every run
// goes through timeout(1): a program that blocks (as it used to in open() on a
// FIFO) shows as status 124 instead of hanging the suite.

#include "RenderRun.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using rendertest::RunResult;
using rendertest::ScratchFolder;

RunResult timed(const ScratchFolder& folder, const std::string& program, std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), { "5", program });
    return folder.runProgram("/usr/bin/timeout", arguments);
}

RunResult render(const ScratchFolder& folder, std::vector<std::string> arguments)
{
    return timed(folder, NIMBREL_RENDER_BINARY, std::move(arguments));
}

RunResult check(const ScratchFolder& folder, std::vector<std::string> arguments)
{
    return timed(folder, NIMBREL_CHECK_BINARY, std::move(arguments));
}

class SpecialFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(::mkfifo(m_folder.file("fifo.txt").c_str(), 0600), 0);
        ASSERT_EQ(::mkfifo(m_folder.file("fifo.bmp").c_str(), 0600), 0);
        ASSERT_EQ(::symlink("fifo.bmp", m_folder.file("tofifo.bmp").c_str()), 0);
        ASSERT_EQ(::symlink("/dev/zero", m_folder.file("zero.bmp").c_str()), 0);
        ASSERT_EQ(::symlink("/dev/zero", m_folder.file("zero.txt").c_str()), 0);
        ASSERT_EQ(::symlink("loop.bmp", m_folder.file("loop.bmp").c_str()), 0);
        ASSERT_EQ(::symlink("loop.txt", m_folder.file("loop.txt").c_str()), 0);
    }
    ScratchFolder m_folder;
};

TEST_F(SpecialFiles, AsADefinitionFileTheyFailLikeAMissingFile)
{
    for (const std::string name : { "fifo.txt", "zero.txt", "/dev/zero", "loop.txt" }) {
        SCOPED_TRACE(name);
        const std::string message = "ファイル " + name + " は開けません.";
        const RunResult driven = render(m_folder, { "--drop", name });
        EXPECT_EQ(driven.status, 1);
        EXPECT_EQ(driven.err, message + "\n");
        const RunResult checked = check(m_folder, { name });
        EXPECT_EQ(checked.status, 1);
        EXPECT_NE(checked.out.find(name + ":1:1: error: " + message + " [file]"), std::string::npos)
            << checked.out;
    }
}

TEST_F(SpecialFiles, AsASheetTheyFailLikeAMissingFile)
{
    for (const std::string sheet : { "fifo.bmp", "tofifo.bmp", "zero.bmp", "loop.bmp" }) {
        SCOPED_TRACE(sheet);
        m_folder.write("character.txt", "#CHARBMP " + sheet + "\r\n");
        const std::string message = "ファイル " + sheet + " は開けません.";
        const RunResult driven = render(m_folder, { "--drop", "character.txt" });
        EXPECT_EQ(driven.status, 1);
        EXPECT_EQ(driven.err, message + "\n");
        const RunResult checked = check(m_folder, { "character.txt" });
        EXPECT_EQ(checked.status, 1);
        EXPECT_NE(checked.out.find("character.txt:1:10: error: " + message + " [sheet]"), std::string::npos)
            << checked.out;
    }
}

TEST_F(SpecialFiles, ADefinitionAboveTheCapIsRefusedUnread)
{
    // Sparse: 3 GB on paper, nothing on disk, and refused from its size.
    const std::string huge = m_folder.write("huge.txt", "");
    ASSERT_EQ(::truncate(huge.c_str(), std::int64_t { 3 } << 30), 0);
    const std::string message = "ファイル huge.txt は大きすぎます.";
    const RunResult driven = render(m_folder, { "--drop", "huge.txt" });
    EXPECT_EQ(driven.status, 1);
    EXPECT_EQ(driven.err, message + "\n");
    const RunResult checked = check(m_folder, { "huge.txt" });
    EXPECT_EQ(checked.status, 1);
    EXPECT_NE(checked.out.find("huge.txt:1:1: error: " + message + " [file]"), std::string::npos)
        << checked.out;
}

} // namespace
