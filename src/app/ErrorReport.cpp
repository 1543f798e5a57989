#include "app/ErrorReport.h"

#include "platform/ErrorText.h"
#include "platform/Exception.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace app {

namespace {
std::function<void(const std::string&)>& errorSink()
{
    static std::function<void(const std::string&)> sink;
    return sink;
}
} // namespace

void setErrorSinkForTesting(std::function<void(const std::string&)> sink)
{
    errorSink() = std::move(sink);
}

void reportError(const std::exception& error)
{
    // No drag or pressed button may stay half done behind the box.
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    if (dynamic_cast<const EAbort*>(&error))
        return;
    const std::string text = platform::errorReportText(platform::errorMessage(error));
    if (errorSink()) {
        errorSink()(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, "Nimbrel", QString::fromUtf8(text.c_str()), QMessageBox::Ok,
        QApplication::activeWindow());
    // Messages quote paths and typed text; none of it is markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace app
