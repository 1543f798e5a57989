// Mouse events go through the window, as the platform's do, so that Qt's
// implicit grab of a pressed button is what a user would meet.
#define QTEST_QPA_MOUSE_HANDLING

#include "app/ErrorReport.h"

#include <QPushButton>
#include <QTest>
#include <QWidget>

#include "platform/Exception.h"

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

// A button held down when the box opens: its release goes to the box, so
// the report lets go of it first. After OK it is up, no click comes from it,
// and the next click goes where it is made.
TEST(ErrorReport, NoButtonStaysPressedBehindTheBox)
{
    QWidget window;
    window.resize(200, 50);
    auto* held = new QPushButton("held", &window);
    held->setGeometry(0, 0, 80, 25);
    auto* other = new QPushButton("other", &window);
    other->setGeometry(100, 0, 80, 25);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    std::vector<std::string> clicks;
    QObject::connect(held, &QPushButton::clicked, [&] { clicks.push_back("held"); });
    QObject::connect(other, &QPushButton::clicked, [&] { clicks.push_back("other"); });

    QTest::mousePress(held, Qt::LeftButton);
    ASSERT_TRUE(held->isDown());
    bool downBehindTheBox = true;
    app::setErrorSinkForTesting([&](const std::string&) { downBehindTheBox = held->isDown(); });
    app::guarded([] { throw EConvertError("'x' は数値ではありません"); });
    app::setErrorSinkForTesting(nullptr);
    EXPECT_FALSE(downBehindTheBox);
    EXPECT_FALSE(held->isDown());

    // Should the release come late after all, it clicks nothing.
    QTest::mouseRelease(held, Qt::LeftButton);
    QTest::mouseClick(other, Qt::LeftButton);
    EXPECT_EQ(clicks, std::vector<std::string> { "other" });
    EXPECT_FALSE(held->isDown());
}

} // namespace
