#pragma once

// A widget that shows an image enlarged by a whole factor, pixel for pixel:
// one image pixel is a square of whole device pixels, so it stays sharp at
// any device pixel ratio. It paints only the exposed part, through a drawing
// function below the window layer; text over the pixels (labels) comes from
// a second function. It sits in a scroll area and tells its owner about the
// mouse and about Ctrl + wheel.

#include "closeup/PixelTarget.h"

#include <QEvent>
#include <QRect>
#include <QWidget>

#include <functional>
#include <vector>

class QSpinBox;

namespace app {

// The zoom box of a close-up window: its object name, the factors from
// closeup::kMinZoom to closeup::kMaxZoom, and the unit.
void setUpZoomBox(QSpinBox& box, const char* name);
// The room a close-up window may take: the screen's available area, or a
// 1024 × 768 one while the window is on no screen.
QRect roomOnScreen(const QWidget& window);

class PixelCanvas : public QWidget {
    Q_OBJECT

public:
    using Draw = std::function<void(const closeup::PixelTarget&, const closeup::Viewport&)>;
    using DrawText = std::function<void(QPainter&, const QRect& exposed)>;

    explicit PixelCanvas(QWidget* parent = nullptr);

    void setDraw(Draw draw) { m_draw = std::move(draw); }
    void setDrawText(DrawText drawText) { m_drawText = std::move(drawText); }

    // The image's size in image pixels and the factor; both resize the
    // widget and repaint it whole.
    void setImageSize(std::int32_t width, std::int32_t height);
    void setZoom(int zoom);
    int zoom() const { return m_zoom; }

    // Device pixels per image pixel: the factor at this screen's ratio,
    // rounded to a whole number.
    std::int32_t scale() const;
    // The widget's logical rectangle that covers an image rectangle.
    QRect widgetRect(const TRect& imageRect) const;
    // The image pixel under a point of the widget.
    TPoint imagePoint(const QPointF& point) const;

    // Repaints what covers each image rectangle, nothing else.
    void updateImageRects(const std::vector<TRect>& rects);

    std::function<void(int steps)> onZoomWheel;
    std::function<void(TPoint pixel, Qt::MouseButtons buttons, QEvent::Type type)> onMouse;
    std::function<void()> onLeave;

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void resizeToImage();
    void paintPart(QPainter& painter, const QRect& exposed);
    void mouse(QMouseEvent* event);

    Draw m_draw;
    DrawText m_drawText;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    int m_zoom = 1;
    std::vector<std::uint32_t> m_pixels; // kept between repaints
};

} // namespace app
