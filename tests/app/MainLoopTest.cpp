#include "app/MainLoop.h"
#include "app/ErrorReport.h"
#include "app/Unit1.h"
#include "platform/Exception.h"
#include "playback/FormLogic.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A main loop installed as the application's, with a watchdog that ends a
// run which would otherwise never end.
class Loop : public testing::Test {
protected:
    void SetUp() override
    {
        app::Application = &loop;
        app::setErrorSinkForTesting([this](const std::string& text) { errors.push_back(text); });
    }
    void TearDown() override
    {
        app::setErrorSinkForTesting(nullptr);
        app::Application = nullptr;
    }

    // Runs the loop; answers whether it ended before the watchdog.
    bool runFor(int watchdogMs)
    {
        bool timedOut = false;
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            timedOut = true;
            loop.terminate();
        });
        watchdog.start(watchdogMs);
        loop.run();
        return !timedOut;
    }

    app::MainLoop loop;
    std::vector<std::string> errors;
};

} // namespace

TEST_F(Loop, ClosingTheMainWindowEndsTheLoop)
{
    TForm1 form;
    form.show();
    QTimer::singleShot(0, &form, [&] { form.close(); });
    EXPECT_TRUE(runFor(5000));
}

TEST_F(Loop, AnIdleStepThatLeavesTheFlagSetLetsTheLoopSleep)
{
    int calls = 0;
    loop.setIdleHandler([&](bool&) { ++calls; });
    EXPECT_FALSE(runFor(300));
    // Woken only by the few events that came, never in a busy round.
    EXPECT_LT(calls, 20);
}

TEST_F(Loop, AnIdleStepThatClearsTheFlagIsCalledAgainAtOnce)
{
    int calls = 0;
    loop.setIdleHandler([&](bool& done) {
        done = false;
        if (++calls == 500)
            loop.terminate();
    });
    EXPECT_TRUE(runFor(5000));
}

TEST_F(Loop, AnErrorInTheIdleStepIsReportedAndTheFlagKeepsItsValue)
{
    int calls = 0;
    loop.setIdleHandler([&](bool& done) {
        ++calls;
        if (calls <= 3) {
            done = false;
            throw EConvertError("'$G' は数値ではありません");
        }
        // From here on nothing is drawn: the loop must sleep.
        throw EConvertError("x.");
    });
    EXPECT_FALSE(runFor(300));
    ASSERT_GE(errors.size(), 4u);
    EXPECT_EQ(errors[0], "'$G' は数値ではありません.");
    EXPECT_EQ(errors[3], "x.");
    EXPECT_LT(calls, 20);
}

TEST(ErrorBox, IsModalTitledNimbrelWithTheErrorIconAndOneOkButton)
{
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        format = box->textFormat();
        icon = box->icon();
        buttons = static_cast<int>(box->buttons().size());
        modal = box->windowModality() == Qt::ApplicationModal;
        box->button(QMessageBox::Ok)->click();
    });
    // A path that looks like markup is still shown as it is.
    app::reportError(EFOpenError("ファイル /tmp/<b>x</b>.txt は開けません"));
    EXPECT_EQ(title, "Nimbrel");
    EXPECT_EQ(text, QString::fromUtf8("ファイル /tmp/<b>x</b>.txt は開けません."));
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(buttons, 1);
    EXPECT_TRUE(modal);
}

TEST_F(Loop, ClosingTheWindowDuringALongFrameIntervalEndsTheLoopAtOnce)
{
    TForm1 form;
    form.show();
    form.logic().drop(std::string(NIMBREL_SOURCE_DIR) + "/examples/sample/sample.txt");
    form.Edit1->setText("60000");
    QTimer::singleShot(200, &form, [&] { form.close(); });
    EXPECT_TRUE(runFor(5000));
    EXPECT_TRUE(errors.empty());
}
