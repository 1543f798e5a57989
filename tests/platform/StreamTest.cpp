#include "platform/Stream.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>

TEST(BytesStream, ReadBufferInsistsOnTheWholeCount)
{
    const std::array<std::uint8_t, 3> data { 1, 2, 3 };
    TBytesStream s(data);
    std::array<std::uint8_t, 2> two {};
    s.ReadBuffer(two);
    EXPECT_EQ(two[1], 2);
    EXPECT_EQ(s.Remaining(), 1);
    try {
        s.ReadBuffer(two);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "ストリームからの読み込みエラー");
    }
}

TEST(FileStream, MissingFileAndFolderRaiseTheOpenError)
{
    for (const char* path : { "/nonexistent/x.bmp", "/tmp" }) {
        try {
            TFileStream s(path);
            FAIL() << path;
        } catch (const EFOpenError& e) {
            EXPECT_EQ(e.Message(), std::string("ファイル ") + path + " は開けません");
        }
    }
}

TEST(FileStream, ReadsTheFileAndReportsItsSize)
{
    const std::string path = testing::TempDir() + "stream_test.bin";
    std::ofstream(path, std::ios::binary) << "hello";
    TFileStream s(path);
    EXPECT_EQ(s.Size(), 5);
    std::array<std::uint8_t, 8> buf {};
    EXPECT_EQ(s.Read(buf), 5u);
    EXPECT_EQ(buf[4], 'o');
    std::remove(path.c_str());
}
