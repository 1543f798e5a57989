#include "platform/FileSystem.h"
#include "platform/Exception.h"
#include "platform/Stream.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class TempFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "nimbrel-fs-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::permissions(m_folder / "locked", fs::perms::owner_all, ignored);
        fs::remove_all(m_folder, ignored);
    }
    std::string write(const std::string& name, const std::string& bytes)
    {
        const fs::path path = m_folder / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    // Sets the last-write time to the given local date and time.
    static void setLocalMtime(
        const std::string& path, int year, int month, int day, int hour, int minute, int second)
    {
        std::tm local {};
        local.tm_year = year - 1900;
        local.tm_mon = month - 1;
        local.tm_mday = day;
        local.tm_hour = hour;
        local.tm_min = minute;
        local.tm_sec = second;
        local.tm_isdst = -1;
        const timeval times[2] = { { std::mktime(&local), 0 }, { std::mktime(&local), 0 } };
        ASSERT_EQ(::utimes(path.c_str(), times), 0);
    }

    fs::path m_folder;
};

using ReadWholeFile = TempFolder;
using FileAge = TempFolder;

std::int32_t packed(int year, int month, int day, int hour, int minute, int second)
{
    const auto date = static_cast<std::uint32_t>((year - 1980) << 9 | month << 5 | day);
    const auto time = static_cast<std::uint32_t>(hour << 11 | minute << 5 | second / 2);
    return static_cast<std::int32_t>(date << 16 | time);
}

TEST_F(ReadWholeFile, ReturnsEveryByteIncludingNulsAndHighBytes)
{
    std::string bytes("a\0b\r\n\x1a\xff", 7);
    bytes += std::string(200000, 'x'); // more than one read chunk
    const auto got = platform::readWholeFile(write("data.txt", bytes));
    EXPECT_EQ(std::string(got.begin(), got.end()), bytes);
    EXPECT_TRUE(platform::readWholeFile(write("empty.txt", "")).empty());
}

// The buffer is sized from what fstat reports; the end must be found
// whether the file holds exactly that, or more than a size of 0 says (the
// kernel's own files).
TEST_F(ReadWholeFile, TheReportedSizeIsOnlyWhereReadingStarts)
{
    for (const std::size_t size : { 1u, 65535u, 65536u, 65537u, 1u << 20 }) {
        const std::string bytes(size, 'z');
        EXPECT_EQ(platform::readWholeFile(write("sized.txt", bytes)).size(), size);
    }
    const auto status = platform::readWholeFile("/proc/self/status");
    ASSERT_FALSE(status.empty());
    EXPECT_EQ(status.back(), '\n');
    EXPECT_EQ(std::string(status.begin(), status.begin() + 5), "Name:");
}

TEST_F(ReadWholeFile, UnopenablePathsFailWithThePathInTheMessage)
{
    const std::string missing = (m_folder / "missing.txt").string();
    const std::string locked = write("locked", "x");
    ::chmod(locked.c_str(), 0);
    const std::string pipe = (m_folder / "pipe").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::vector<std::string> paths { missing, m_folder.string(), pipe };
    if (::geteuid() != 0) // root reads a file whatever its permissions
        paths.push_back(locked);
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        try {
            platform::readWholeFile(path);
            ADD_FAILURE() << "no failure";
        } catch (const EFOpenError& e) {
            EXPECT_EQ(e.Message(), "ファイル " + path + " は開けません");
        }
    }
}

// Each reader of the system, on every kind of path that is not a regular
// file: the missing file's error, at once (a FIFO used to block in open for
// ever, through the stream and through a symlink alike).
TEST_F(ReadWholeFile, SpecialFilesAreRefusedLikeAMissingFileWithoutWaiting)
{
    const std::string pipe = (m_folder / "fifo.bmp").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string toPipe = (m_folder / "link.bmp").string();
    ASSERT_EQ(::symlink(pipe.c_str(), toPipe.c_str()), 0);
    const std::string loop = (m_folder / "loop.bmp").string();
    ASSERT_EQ(::symlink(loop.c_str(), loop.c_str()), 0);
    const std::string dangling = (m_folder / "dangling.bmp").string();
    ASSERT_EQ(::symlink("nowhere.bmp", dangling.c_str()), 0);
    const std::function<void(const std::string&)> readers[] = {
        [](const std::string& path) { platform::openRegularFile(path); },
        [](const std::string& path) { platform::readWholeFile(path); },
        [](const std::string& path) { platform::readWholeFile(path, 1 << 20); },
        [](const std::string& path) { TFileStream stream(path); },
    };
    for (const std::string& path : { pipe, toPipe, loop, dangling, std::string("/dev/zero"),
             std::string("/dev/null"), std::string("/dev/tty"), m_folder.string() }) {
        for (std::size_t r = 0; r < std::size(readers); ++r) {
            SCOPED_TRACE(path + " reader " + std::to_string(r));
            try {
                readers[r](path);
                ADD_FAILURE() << "no failure";
            } catch (const EFOpenError& e) {
                EXPECT_EQ(e.Message(), "ファイル " + path + " は開けません");
            }
        }
    }
}

TEST_F(ReadWholeFile, TheLimitRefusesLargerFilesBeforeReadingThem)
{
    const std::string path = write("ten.txt", "0123456789");
    EXPECT_EQ(platform::readWholeFile(path, 10).size(), 10u);
    // A sparse file of 3 GB: refused from its size, without 3 GB being held.
    const std::string huge = write("huge.txt", "");
    ASSERT_EQ(::truncate(huge.c_str(), std::int64_t { 3 } << 30), 0);
    for (const auto& [file, limit] : { std::pair { path, 9 }, std::pair { huge, 64 << 20 } }) {
        SCOPED_TRACE(file);
        try {
            platform::readWholeFile(file, limit);
            ADD_FAILURE() << "no failure";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), "ファイル " + file + " は大きすぎます");
        }
    }
}

TEST_F(FileAge, PacksTheLocalLastWriteTime)
{
    const std::string path = write("sheet.bmp", "BM");
    struct Case {
        int year, month, day, hour, minute, second;
    };
    const Case cases[] = {
        { 2021, 3, 14, 15, 9, 26 },
        { 2021, 3, 14, 15, 9, 27 }, // odd seconds round down to the two-second step
        { 1980, 1, 1, 0, 0, 0 }, { 2043, 12, 31, 23, 59, 59 },
        { 2050, 6, 1, 12, 0, 0 }, // the date's top bit set: a negative value that is still valid
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.year);
        setLocalMtime(path, c.year, c.month, c.day, c.hour, c.minute, c.second);
        EXPECT_EQ(platform::fileAge(path), packed(c.year, c.month, c.day, c.hour, c.minute, c.second));
    }
    EXPECT_LT(platform::fileAge(path), 0);
    EXPECT_NE(platform::fileAge(path), -1);
}

TEST_F(FileAge, IsMinusOneForFoldersMissingFilesAndTimesBefore1980)
{
    EXPECT_EQ(platform::fileAge(m_folder.string()), -1);
    EXPECT_EQ(platform::fileAge((m_folder / "missing.bmp").string()), -1);
    const std::string old = write("old.bmp", "");
    setLocalMtime(old, 1979, 12, 31, 23, 59, 58);
    EXPECT_EQ(platform::fileAge(old), -1);
}

} // namespace
