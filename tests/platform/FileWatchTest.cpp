#include "platform/FileWatch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::int64_t kMs = 1'000'000;
constexpr std::int64_t kNow = 1'800'000'000'000'000'000; // some day in 2027

class FakeClock : public platform::RealClock {
public:
    std::int64_t wallNs() const override { return wall; }
    std::int64_t steadyNs() const override { return steady; }
    void advance(std::int64_t ms)
    {
        wall += ms * kMs;
        steady += ms * kMs;
    }
    std::int64_t wall = kNow;
    std::int64_t steady = 0;
};

platform::FileStamp stamp(std::int64_t mtimeNs, std::int64_t size = 10, std::uint64_t inode = 7)
{
    return platform::FileStamp {
        .exists = true, .mtimeNs = mtimeNs, .size = size, .device = 1, .inode = inode
    };
}

TEST(FileWatch, ALoadedStampIsNoChangeAndAnOldOneLoadsAtOnce)
{
    FakeClock clock;
    platform::FileWatch watch(clock);
    const auto loaded = stamp(kNow - 5000 * kMs);
    struct Case {
        const char* what;
        platform::FileStamp current;
        bool due;
    };
    const Case cases[] = {
        { "unchanged", loaded, false },
        { "written a second ago", stamp(kNow - 1000 * kMs), true },
        { "written exactly a settle time ago", stamp(kNow - 250 * kMs), true },
        { "same time, other size", stamp(kNow - 5000 * kMs, 11), true },
        { "same time and size, renamed over", stamp(kNow - 5000 * kMs, 10, 8), true },
        { "missing", platform::FileStamp {}, true },
        { "written just now", stamp(kNow - 10 * kMs), false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(watch.decide(c.current, loaded).has_value(), c.due);
    }
}

TEST(FileWatch, AFreshWriteWaitsUntilItsLastWriteIsASettleTimeOld)
{
    FakeClock clock;
    platform::FileWatch watch(clock);
    const auto loaded = stamp(kNow - 5000 * kMs);
    EXPECT_FALSE(watch.decide(stamp(kNow), loaded));
    clock.advance(200);
    // The writer goes on: the settle time runs from its latest write.
    const auto second = stamp(clock.wall, 20);
    EXPECT_FALSE(watch.decide(second, loaded));
    clock.advance(249);
    EXPECT_FALSE(watch.decide(second, loaded));
    clock.advance(1);
    EXPECT_EQ(watch.decide(second, loaded), second);
}

TEST(FileWatch, AFutureWriteSettlesOnceItsStampHasStayedTheSameForTheSettleTime)
{
    FakeClock clock;
    platform::FileWatch watch(clock);
    const auto loaded = stamp(kNow - 5000 * kMs);
    const auto ahead = stamp(kNow + 3'600'000 * kMs);
    EXPECT_FALSE(watch.decide(ahead, loaded));
    clock.advance(200);
    EXPECT_FALSE(watch.decide(ahead, loaded));
    // Written again, still ahead: the wait starts over.
    const auto again = stamp(kNow + 3'600'100 * kMs);
    EXPECT_FALSE(watch.decide(again, loaded));
    clock.advance(200);
    EXPECT_FALSE(watch.decide(again, loaded));
    clock.advance(50);
    EXPECT_EQ(watch.decide(again, loaded), again);
}

class FileStampTest : public testing::Test {
protected:
    void SetUp() override
    {
        // One folder per test and process: ctest runs tests side by side.
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        m_folder = std::filesystem::path(testing::TempDir())
            / ("nimbrel_stamp_" + std::string(test->name()) + "_" + std::to_string(::getpid()));
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }
    std::string write(const std::string& name, const std::string& bytes)
    {
        const std::string path = (m_folder / name).string();
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        return path;
    }
    static void setMtime(const std::string& path, std::int64_t ns)
    {
        const timespec times[2] = { { 0, UTIME_OMIT }, { ns / 1'000'000'000, ns % 1'000'000'000 } };
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    }
    std::filesystem::path m_folder;
};

TEST_F(FileStampTest, TellsSavesApartThatThePackedAgeCannot)
{
    const std::string path = write("sheet.bmp", "green");
    setMtime(path, kNow);
    const auto first = platform::fileStamp(path);
    EXPECT_TRUE(first.exists);
    EXPECT_EQ(first.mtimeNs, kNow);
    EXPECT_EQ(first.size, 5);

    // Within the same two seconds: the packed age agrees, the stamp does not.
    write("sheet.bmp", "blue!");
    setMtime(path, kNow + 300 * kMs);
    EXPECT_EQ(platform::fileAge(path), platform::packedAge(first));
    EXPECT_NE(platform::fileStamp(path), first);

    // A rewrite that keeps time, size and file is the same stamp, and a
    // change of mode alone (the status-change time) is none either.
    write("sheet.bmp", "green");
    setMtime(path, kNow);
    ::chmod(path.c_str(), 0600);
    EXPECT_EQ(platform::fileStamp(path), first);

    // A new file renamed over the old one, with the same time and size.
    const std::string other = write("sheet.new", "green");
    setMtime(other, kNow);
    std::filesystem::rename(other, path);
    EXPECT_NE(platform::fileStamp(path), first);
}

TEST_F(FileStampTest, AFolderAndAMissingFileHaveNoStamp)
{
    EXPECT_EQ(platform::fileStamp(m_folder.string()), platform::FileStamp {});
    EXPECT_EQ(platform::fileStamp((m_folder / "none").string()), platform::FileStamp {});
    EXPECT_EQ(platform::packedAge(platform::FileStamp {}), -1);
}

} // namespace
