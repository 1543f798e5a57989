#include "app/ErrorReport.h"

#include <gtest/gtest.h>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// What a handler can let escape, and the text the box shows for it: never
// the English of a library.
TEST(ErrorReport, EveryEscapingErrorIsShownInJapanese)
{
    std::vector<std::string> shown;
    app::setErrorSinkForTesting([&](const std::string& text) { shown.push_back(text); });
    app::guarded([] { throw std::bad_alloc(); });
    app::guarded([] { throw std::length_error("vector::_M_realloc_insert"); });
    app::guarded([] { throw 7; });
    app::setErrorSinkForTesting(nullptr);
    const std::vector<std::string> expected {
        "メモリが足りません.",
        "予期しないエラーが発生しました.",
        "予期しないエラーが発生しました.",
    };
    EXPECT_EQ(shown, expected);
}

} // namespace
