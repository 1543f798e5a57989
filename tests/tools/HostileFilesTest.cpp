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

// A 1-bit BMP, all of colour 0, whose pixels are cheap to write.
std::string oneBitBmp(std::int32_t width, std::int32_t height)
{
    std::string bmp = "BM";
    const auto put = [&bmp](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            bmp.push_back(static_cast<char>(value >> (8 * i)));
    };
    const std::uint32_t row = (static_cast<std::uint32_t>(width) + 31) / 32 * 4;
    const std::uint32_t data = row * static_cast<std::uint32_t>(height);
    put(62 + data, 4), put(0, 4), put(62, 4);
    put(40, 4), put(static_cast<std::uint32_t>(width), 4), put(static_cast<std::uint32_t>(height), 4);
    put(1, 2), put(1, 2), put(0, 4), put(data, 4), put(0, 8), put(2, 4), put(0, 4);
    put(0, 4), put(0x00FFFFFF, 4);
    bmp.append(data, '\0');
    return bmp;
}

// The checker refuses a sheet whose surface the viewer cannot make (32-bit
// pixels past 256 MiB), with the viewer's own error, and passes the largest
// one it can.
TEST(SheetLimits, TheCheckerAppliesTheViewersSurfaceLimit)
{
    const ScratchFolder folder;
    folder.write("character.txt", "#CHARBMP sheet.bmp\r\n#1 0 0 121 271\r\n#PATERN 01 01\r\n");
    const std::string message = "サーフェース を作成できません.";
    for (const auto& [height, fits] : { std::pair { 8193, false }, std::pair { 8192, true } }) {
        SCOPED_TRACE(height);
        folder.write("sheet.bmp", oneBitBmp(8192, height));
        const RunResult checked = check(folder, { "character.txt" });
        EXPECT_EQ(checked.status, fits ? 0 : 1) << checked.out;
        EXPECT_EQ(checked.out.find("character.txt:1:10: error: " + message + " [sheet]") != std::string::npos,
            !fits)
            << checked.out;
        if (!fits) { // the window's error, which the driver shows as it does
            EXPECT_EQ(render(folder, { "--drop", "character.txt" }).err, message + "\n");
        }
    }
}

// Bytes that would drive a terminal: none but the line ends, and none of
// the source's own.
bool clearOfControls(const std::string& text, bool delToo = true)
{
    for (const char c : text)
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\n') || (delToo && c == 0x7F))
            return false;
    return true;
}

TEST(TerminalText, ControlCharactersOfASheetNameArePrintedAsPictures)
{
    const ScratchFolder folder;
    struct Case {
        std::string sheet, shown, json;
    };
    const Case cases[] = {
        { "a\x1b]2;owned\x07.bmp", "a␛]2;owned␇.bmp", "a\\u001b]2;owned\\u0007.bmp" },
        { "b\x1b[2J\x7f.bmp", "b␛[2J␡.bmp", "b\\u001b[2J\x7f.bmp" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        folder.write("character.txt", "#CHARBMP " + c.sheet + "\r\n");
        const RunResult driven = render(folder, { "--drop", "character.txt" });
        EXPECT_EQ(driven.status, 1);
        EXPECT_EQ(driven.err, "ファイル " + c.shown + " は開けません.\n");
        const RunResult checked = check(folder, { "character.txt" });
        EXPECT_TRUE(clearOfControls(checked.out)) << checked.out;
        EXPECT_NE(
            checked.out.find("error: ファイル " + c.shown + " は開けません. [sheet]"), std::string::npos)
            << checked.out;
        const RunResult json = check(folder, { "--format", "json", "character.txt" });
        EXPECT_TRUE(clearOfControls(json.out, false)) << json.out; // JSON needs no escape for DEL
        EXPECT_NE(json.out.find(c.json), std::string::npos) << json.out;
    }
}

} // namespace
