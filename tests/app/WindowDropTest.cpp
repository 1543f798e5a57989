// A file dropped on any control of the window is loaded as a drop on the
// window; the edit boxes never take a dropped path or text as typing.

#include "app/DXDrawWidget.h"
#include "app/ErrorReport.h"
#include "app/Unit1.h"

#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

enum class Route {
    // As the platform delivers it: to the window, which finds the control
    // under the point and hands the drag to the one that takes drops.
    throughTheWindow,
    // Handed to the control itself.
    toTheControl,
};

// Drags `mime` over the centre of `control` and drops it there.
void dropOnControl(TForm1& form, QWidget* control, const QMimeData& mime, Route route)
{
    const QPointF centre = QRectF(control->rect()).center();
    QObject* receiver = control;
    QPointF at = centre;
    if (route == Route::throughTheWindow) {
        receiver = form.windowHandle();
        at = control->mapTo(&form, centre);
    }
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(receiver, &enter);
    QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(receiver, &move);
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(receiver, &drop);
}

class WindowDrop : public testing::TestWithParam<Route> {
protected:
    void SetUp() override
    {
        app::setErrorSinkForTesting([this](const std::string& text) { errors.push_back(text); });
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    void TearDown() override { app::setErrorSinkForTesting(nullptr); }

    TForm1 form;
    std::vector<std::string> errors;
};

TEST_P(WindowDrop, AFileDroppedOnAnyControlLoads)
{
    // File managers offer the file's URL and, beside it, its path as text.
    const QString path = QString(NIMBREL_SOURCE_DIR) + "/examples/sample/sample.txt";
    QMimeData file;
    file.setUrls({ QUrl::fromLocalFile(path) });
    file.setText(path);
    for (QWidget* control : std::vector<QWidget*> { form.Edit1, form.Edit2, form.Button1, form.DXDraw1 }) {
        SCOPED_TRACE(control->objectName().toStdString());
        form.Label1->setText("名前");
        form.Edit2->setText("01");
        dropOnControl(form, control, file, GetParam());
        EXPECT_EQ(form.Label1->text().toStdString(), "Nimbrel");
        EXPECT_EQ(form.Edit1->text().toStdString(), "100");
        EXPECT_EQ(form.Edit2->text().toStdString(), "01");
    }
    EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_P(WindowDrop, AFolderWhoseNameIsShiftJisOpens)
{
    // 漢字 in Shift-JIS: no UTF-8, as a folder made on an older desktop. One
    // folder per route: CTest runs the routes at once, and each removes its own.
    namespace fs = std::filesystem;
    const std::string folder = testing::TempDir() + "nimbrel-drop-"
        + std::to_string(static_cast<int>(GetParam())) + "-\x8A\xBF\x8E\x9A";
    fs::create_directories(folder);
    for (const char* name : { "sample.txt", "sample.bmp" })
        fs::copy_file(std::string(NIMBREL_SOURCE_DIR) + "/examples/sample/" + name, folder + "/" + name,
            fs::copy_options::overwrite_existing);
    // As a file manager offers it: the path's bytes percent-encoded.
    const QByteArray encoded = QByteArray::fromStdString(folder + "/sample.txt").toPercentEncoding("/");
    QMimeData file;
    file.setUrls({ QUrl("file://" + QString::fromLatin1(encoded)) });
    dropOnControl(form, form.DXDraw1, file, GetParam());
    EXPECT_EQ(form.Label1->text().toStdString(), "Nimbrel");
    EXPECT_TRUE(errors.empty()) << errors.front();
    fs::remove_all(folder);
}

TEST_P(WindowDrop, TheEditBoxesTakeNoDroppedText)
{
    QMimeData text;
    text.setText("7");
    for (QLineEdit* edit : { form.Edit1, form.Edit2 }) {
        SCOPED_TRACE(edit->objectName().toStdString());
        const QString before = edit->text();
        dropOnControl(form, edit, text, GetParam());
        EXPECT_EQ(edit->text().toStdString(), before.toStdString());
    }
    EXPECT_TRUE(errors.empty()) << errors.front();
}

INSTANTIATE_TEST_SUITE_P(Routes, WindowDrop, testing::Values(Route::throughTheWindow, Route::toTheControl));

} // namespace
