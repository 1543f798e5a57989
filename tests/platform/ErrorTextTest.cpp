#include "platform/ErrorText.h"

#include "platform/Exception.h"

#include <new>
#include <stdexcept>

#include <gtest/gtest.h>

TEST(ErrorReportText, AppendsAPeriodOnlyAfterCharactersAboveIt)
{
    struct Case {
        const char* message;
        const char* shown;
    };
    const Case cases[] = {
        { "'x' は数値ではありません", "'x' は数値ではありません." },
        { "ends with a period.", "ends with a period." },
        { "ends with a blank ", "ends with a blank " },
        { "ends in a bracket)", "ends in a bracket)" },
        { "ends in a comma,", "ends in a comma," },
        { "ends in a slash/", "ends in a slash/." },
        { "code 7", "code 7." },
        { "", "" },
        { "ﾁｪｯｸ", "ﾁｪｯｸ." },
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::errorReportText(c.message), c.shown) << c.message;
}

// Only the system's own errors carry a text meant for the user; whatever a
// library raises is English, so it is shown in words of our own.
TEST(ErrorMessage, NoLibraryTextReachesTheUser)
{
    EXPECT_EQ(platform::errorMessage(EConvertError("'x' は数値ではありません")), "'x' は数値ではありません");
    EXPECT_EQ(platform::errorMessage(std::bad_alloc()), "メモリが足りません");
    EXPECT_EQ(platform::errorMessage(std::bad_array_new_length()), "メモリが足りません");
    EXPECT_EQ(platform::errorMessage(std::out_of_range("vector::_M_range_check")),
        "予期しないエラーが発生しました");
    EXPECT_EQ(platform::errorMessage(std::runtime_error("unknown error")), "予期しないエラーが発生しました");
}

// The window's message box and the driver's error line show the same text,
// and neither shows a silent abort.
TEST(ErrorMessage, AReportShowsTheMessageWithItsPeriodAndNothingForAnAbort)
{
    EXPECT_EQ(platform::reportedText(EAbort()), std::nullopt);
    EXPECT_EQ(platform::reportedText(EConvertError("'x' は数値ではありません")), "'x' は数値ではありません.");
    EXPECT_EQ(platform::reportedText(std::bad_alloc()), "メモリが足りません.");
}
