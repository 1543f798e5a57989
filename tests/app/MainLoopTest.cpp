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

// Counts every event the application delivers. A loop that sleeps while
// the idle step leaves its flag set runs the step at most once per wake, and
// every wake delivers an event; so the counts tell a sleeping loop from a
// spinning one whatever the machine's load.
class EventCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent*) override
    {
        ++count;
        return false;
    }
    int count = 0;
};

// A main loop installed as the application's, with a watchdog that ends a
// run which would otherwise never end. The watchdog only bounds a faulty
// run; no check depends on how long a run takes.
class Loop : public testing::Test {
protected:
    void SetUp() override
    {
        app::Application = &loop;
        app::setErrorSinkForTesting([this](const std::string& text) { errors.push_back(text); });
        QCoreApplication::instance()->installEventFilter(&events);
    }
    void TearDown() override
    {
        QCoreApplication::instance()->removeEventFilter(&events);
        app::setErrorSinkForTesting(nullptr);
        app::Application = nullptr;
    }

    // Ends the loop after `ms` milliseconds, from an event like any other.
    void terminateAfter(int ms)
    {
        QTimer::singleShot(ms, [this] { loop.terminate(); });
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
    EventCounter events;
};

} // namespace

TEST_F(Loop, ClosingTheMainWindowEndsTheLoop)
{
    TForm1 form;
    form.show();
    QTimer::singleShot(0, &form, [&] { form.close(); });
    EXPECT_TRUE(runFor(60000));
}

// The first frame waits neither for the icon nor for other work put after
// the first pass; each runs once, after the first idle step, in its order.
TEST_F(Loop, TheWindowHasItsIconAfterTheFirstPass)
{
    TForm1 form;
    EXPECT_TRUE(form.windowIcon().isNull());
    int idleSteps = 0;
    std::vector<std::string> after;
    loop.setIdleHandler([&](bool&) { ++idleSteps; });
    loop.afterFirstPass([&] {
        after.push_back(
            "first after " + std::to_string(idleSteps) + (form.windowIcon().isNull() ? "" : " icon"));
    });
    loop.afterFirstPass([&] { after.push_back("second"); });
    form.show();
    terminateAfter(50);
    EXPECT_TRUE(runFor(60000));
    EXPECT_FALSE(form.windowIcon().isNull());
    EXPECT_EQ(after, (std::vector<std::string> { "first after 1 icon", "second" }));
}

TEST_F(Loop, AnIdleStepThatLeavesTheFlagSetLetsTheLoopSleep)
{
    int calls = 0;
    loop.setIdleHandler([&](bool&) { ++calls; });
    terminateAfter(100);
    EXPECT_TRUE(runFor(60000));
    // A spinning loop would run the step many times per event.
    EXPECT_GE(calls, 1);
    EXPECT_LE(calls, events.count + 1);
}

TEST_F(Loop, AnIdleStepThatClearsTheFlagIsCalledAgainAtOnce)
{
    int calls = 0;
    loop.setIdleHandler([&](bool& done) {
        done = false;
        if (++calls == 500)
            loop.terminate();
    });
    EXPECT_TRUE(runFor(60000));
    // Nothing came to wake it: a loop that waited would still be waiting.
    EXPECT_EQ(calls, 500);
    EXPECT_LT(events.count, 500);
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
        if (calls == 4)
            terminateAfter(100);
        // From here on nothing is drawn: the loop must sleep.
        throw EConvertError("x.");
    });
    EXPECT_TRUE(runFor(60000));
    ASSERT_GE(errors.size(), 4u);
    EXPECT_EQ(errors[0], "'$G' は数値ではありません.");
    EXPECT_EQ(errors[3], "x.");
    // Three steps ran back to back; from the fourth on, one per wake at most.
    EXPECT_LE(calls, 3 + events.count + 1);
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
    // The frame interval is a minute; the watchdog ends a run that waits it.
    EXPECT_TRUE(runFor(30000));
    EXPECT_TRUE(errors.empty());
}
