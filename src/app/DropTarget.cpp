#include "app/DropTarget.h"

#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QWidget>

namespace app {

DropTarget::DropTarget(QWidget& window)
    : QObject(&window)
    , m_window(window)
{
    for (QWidget* control : window.findChildren<QWidget*>()) {
        // The platform's routing then passes a drag over an edit box on to
        // the window, as it does for every other control.
        if (qobject_cast<QLineEdit*>(control))
            control->setAcceptDrops(false);
        control->installEventFilter(this);
    }
}

bool DropTarget::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
    case QEvent::Drop:
        // The window answers the drag: it takes a file and refuses the rest.
        QApplication::sendEvent(&m_window, event);
        return true;
    default:
        return false;
    }
}

} // namespace app
