#pragma once

// The two windows of the view menu beside the main window: made when first
// asked for, fed with every frame the view presents while they are open, and
// idle while they are closed.

class QWidget;
class TCustomDXDraw;

namespace playback {
class FormLogic;
}

namespace app {

class SheetViewer;
class ZoomWindow;

class CloseupWindows {
public:
    CloseupWindows(QWidget& owner, playback::FormLogic& logic, TCustomDXDraw& display);

    void showZoom();
    void showSheet();
    // After every present of the view.
    void frameShown();

    ZoomWindow* zoom() const { return m_zoom; }
    SheetViewer* sheet() const { return m_sheet; }

private:
    void feedZoom(bool refresh);
    void feedSheet();

    QWidget& m_owner;
    playback::FormLogic& m_logic;
    TCustomDXDraw& m_display;
    // Children of the owner, so they close and go with it.
    ZoomWindow* m_zoom = nullptr;
    SheetViewer* m_sheet = nullptr;
};

} // namespace app
