#include "platform/Exception.h"

#include <gtest/gtest.h>

TEST(Format, FillsPlaceholdersInOrderAndKeepsTheRest)
{
    EXPECT_EQ(platform::format("ファイル %s は開けません", { "a b.txt" }), "ファイル a b.txt は開けません");
    EXPECT_EQ(platform::format("%s を作成できません", { "サーフェース" }), "サーフェース を作成できません");
    EXPECT_EQ(platform::format("不正なビット数です (%d)", 2), "不正なビット数です (2)");
    // A placeholder without an argument vanishes; a lone percent stays.
    EXPECT_EQ(platform::format("%s-%s 100%", { "x" }), "x- 100%");
}

TEST(Exception, KeepsItsMessageAndClass)
{
    try {
        throw EFOpenError("m");
    } catch (const EStreamError& e) {
        EXPECT_EQ(e.Message(), "m");
        EXPECT_STREQ(e.what(), "m");
    }
}
