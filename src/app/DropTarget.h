#pragma once

// The window is the drop target, whichever of its controls a file lands on.
// The edit boxes would take a dropped file's path (file managers offer it as
// text too) as typing; they take no drops at all, and every control hands a
// drag that reaches it to the window, so that it loads as a drop on the
// window does.

#include <QObject>

class QWidget;

namespace app {

class DropTarget : public QObject {
public:
    // Watches every child control of `window` made so far.
    explicit DropTarget(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
};

} // namespace app
