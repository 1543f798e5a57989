#include "form/TypedEdit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    const char* what;
    std::u32string before;
    std::u32string after; // what the edit would leave
    std::size_t cursor; // after the edit
    std::u32string kept;
};

} // namespace

TEST(TypedEdit, TheLimitCountsTypingNotWhatTheProgramSet)
{
    const Case cases[] = {
        { "a key within the limit", U"10", U"105", 3, U"105" },
        { "a key past the limit", U"100", U"1007", 4, U"100" },
        // A load may set a longer text; the next key is still refused.
        { "a key after a long text", U"1000", U"10007", 5, U"1000" },
        { "a key in the middle", U"1000", U"10700", 3, U"1000" },
        { "deleting from a long text", U"12345", U"1245", 2, U"1245" },
        { "deleting the end", U"10000", U"1000", 4, U"1000" },
        { "a key over a selection within the limit", U"1000", U"7", 1, U"7" },
        { "a key over a selection past the limit", U"1234", U"1934", 2, U"1234" },
        { "a paste keeps what typing would", U"1", U"198765", 6, U"198" },
        { "a paste in the middle", U"12", U"123452", 5, U"122" },
        { "a paste over a selection", U"12345", U"1995", 3, U"195" },
        { "a paste into a full box", U"100", U"10099", 5, U"100" },
        { "a paste into a long box", U"1000", U"100099", 6, U"1000" },
        { "full-width characters count one each", U"１", U"１２３４", 4, U"１２３" },
    };
    for (const Case& c : cases) {
        const form::TypedEdit kept = form::limitTypedEdit(c.before, c.after, c.cursor, 3);
        EXPECT_EQ(kept.text, c.kept) << c.what;
        EXPECT_LE(kept.cursor, kept.text.size()) << c.what;
    }
}

TEST(TypedEdit, TheCursorStaysAfterWhatWasKeptAndNoLimitKeepsAll)
{
    EXPECT_EQ(form::limitTypedEdit(U"12", U"123452", 5, 3).cursor, 2u);
    EXPECT_EQ(form::limitTypedEdit(U"", U"98765", 5, 3).cursor, 3u);
    EXPECT_EQ(form::limitTypedEdit(U"100", U"1007", 4, 3).cursor, 3u);
    EXPECT_EQ(form::limitTypedEdit(U"0102", U"01020A0B", 8, 0).text, U"01020A0B");
    // An edit that is not an insertion at the cursor (an undo) is still
    // held to the limit.
    EXPECT_EQ(form::limitTypedEdit(U"100", U"1000", 0, 3).text, U"100");
}
