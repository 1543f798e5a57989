#pragma once

// The zoom window: the view's frames enlarged by a whole factor, with an optional
// pixel grid and a line that says which frame is on show; onion skin, the
// frame without its background, a strip of every frame to jump to, and the
// picture saved as PNG. What it shows is decided below the window
// (closeup::ZoomPicture); the window draws it and wires the controls.

#include "closeup/CloseupPicture.h"
#include "closeup/SurfaceImage.h"
#include "closeup/ZoomPicture.h"

#include <QWidget>

#include <functional>
#include <string>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QSpinBox;

namespace app {

class PixelCanvas;

class ZoomWindow : public QWidget {
    Q_OBJECT

public:
    explicit ZoomWindow(QWidget* parent = nullptr);

    // The view presented a frame: repaints what differs from the last
    // frame, and sets the readout when its text differs.
    void frameShown(const closeup::Presented& presented, const std::string& readout);
    // Only the view, without the character: onion skin and strip stay empty.
    void frameShown(TDirectDrawSurface* view, const std::string& readout);

    void setZoom(int zoom);
    int zoom() const;
    void setGrid(bool on);
    void setOnion(const closeup::OnionSettings& onion);
    void setStripShown(bool shown);

    const closeup::ZoomPicture& picture() const { return m_picture; }
    // Writes what the window shows, whole or not at all; raises on failure.
    void savePng(const std::string& path) const;

    // A click on a frame of the strip.
    std::function<void(std::int32_t frameIndex)> onFrameClicked;
    // The settings changed: the owner presents the frame on show again.
    std::function<void()> onRefresh;

    static constexpr int kMinZoom = closeup::kMinZoom;
    static constexpr int kMaxZoom = closeup::kMaxZoom;
    static constexpr int kMinGridZoom = closeup::kMinGridZoom;

private:
    void layOut();
    void connectControls();
    void buildStrip();
    void zoomChanged(int zoom);
    void settingsChanged();
    void stripToggled(bool shown);
    void saveClicked();
    void fitToScreen();
    void showChanges(const closeup::ZoomPicture::Changes& changes);
    void keepInSight(const TRect& cell);
    void drawStripNumbers(QPainter& painter, const QRect& exposed) const;

    QSpinBox* m_zoom;
    QCheckBox* m_grid;
    QSpinBox* m_before;
    QSpinBox* m_after;
    QCheckBox* m_noBackground;
    QCheckBox* m_stripBox;
    QPushButton* m_save;
    QLabel* m_readout;
    QScrollArea* m_scroll;
    PixelCanvas* m_canvas;
    QScrollArea* m_stripScroll;
    PixelCanvas* m_stripCanvas;
    closeup::ZoomPicture m_picture;
    closeup::SurfaceImage m_stripImage;
    std::string m_readoutText;
};

} // namespace app
