#pragma once

// The zoom window: the view's frames enlarged by a whole factor, with an optional
// pixel grid and a line that says which frame is on show. It composes
// nothing; it copies what the view presented.

#include "closeup/SurfaceImage.h"

#include <QWidget>

#include <string>

class QCheckBox;
class QLabel;
class QScrollArea;
class QSpinBox;

namespace app {

class PixelCanvas;

class ZoomWindow : public QWidget {
    Q_OBJECT

public:
    explicit ZoomWindow(QWidget* parent = nullptr);

    // The view presented a frame: repaints when its pixels differ from the
    // last frame's, and sets the readout when its text differs.
    void frameShown(TDirectDrawSurface* view, const std::string& readout);

    void setZoom(int zoom);
    int zoom() const;
    void setGrid(bool on);

    static constexpr int kMinZoom = 1;
    static constexpr int kMaxZoom = 8;
    // A grid over pixels smaller than this would hide them.
    static constexpr int kMinGridZoom = 4;

private:
    void zoomChanged(int zoom);
    void fitToScreen();

    QSpinBox* m_zoom;
    QCheckBox* m_grid;
    QLabel* m_readout;
    QScrollArea* m_scroll;
    PixelCanvas* m_canvas;
    closeup::SurfaceImage m_view;
    std::string m_readoutText;
};

} // namespace app
