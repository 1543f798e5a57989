#pragma once

// The window side of the display control: a child widget that owns the
// control's core, tells it about its window (size, place, first show of the
// form, destruction) and paints what presenting left in its window pixels.

#include "display/DXDraws.h"
#include "platform/SoftDisplay.h"

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <vector>

namespace app {

class DXDrawWidget : public QWidget {
    Q_OBJECT

public:
    explicit DXDrawWidget(QWidget* parent);
    ~DXDrawWidget() override;

    TDXDraw& control() { return m_control; }
    // Called by the form: its window was shown, or is about to go.
    void formShown();
    void formDestroying();
    // A copy of what the view shows now; null while it shows nothing.
    QImage shownImage() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void syncWindow();
    void presented();

    platform::HWND m_form;
    platform::HWND m_window;
    TDXDraw m_control;
    std::vector<std::uint8_t> m_presented; // what the last repaint was asked for
};

} // namespace app
