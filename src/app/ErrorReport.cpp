#include "app/ErrorReport.h"

#include "platform/ErrorText.h"
#include "platform/Exception.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace app {

namespace {
std::function<void(const std::string&)>& errorSink()
{
    static std::function<void(const std::string&)> sink;
    return sink;
}
// No drag or pressed button may stay half done behind the box. A pressed
// button holds Qt's implicit grab, which mouseGrabber() does not show; its
// release would go to the box, so it is let go of here: raised first, so
// that the release clicks nothing, then released through its window, so
// that the grab ends there too.
void releaseTheMouse()
{
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    for (QWidget* widget : QApplication::allWidgets()) {
        auto* button = qobject_cast<QAbstractButton*>(widget);
        if (button == nullptr || !button->isDown())
            continue;
        button->setDown(false);
        QWindow* window = button->window()->windowHandle();
        if (window == nullptr)
            continue;
        const QPoint centre = button->rect().center();
        const QPointF local = button->mapTo(button->window(), centre);
        QMouseEvent release(QEvent::MouseButtonRelease, local, local, button->mapToGlobal(QPointF(centre)),
            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &release);
    }
}

} // namespace

void setErrorSinkForTesting(std::function<void(const std::string&)> sink)
{
    errorSink() = std::move(sink);
}

void reportError(const std::exception& error)
{
    releaseTheMouse();
    const std::optional<std::string> text = platform::reportedText(error);
    if (!text)
        return;
    if (errorSink()) {
        errorSink()(*text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, "Nimbrel", QString::fromUtf8(text->c_str()), QMessageBox::Ok,
        QApplication::activeWindow());
    // Messages quote paths and typed text; none of it is markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace app
