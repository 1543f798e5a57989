#include "platform/ErrorText.h"

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
