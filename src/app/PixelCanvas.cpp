#include "app/PixelCanvas.h"

#include "app/ErrorReport.h"
#include "closeup/CloseupPicture.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QSpinBox>
#include <QWheelEvent>

#include <cmath>

namespace app {

void setUpZoomBox(QSpinBox& box, const char* name)
{
    box.setObjectName(name);
    box.setRange(closeup::kMinZoom, closeup::kMaxZoom);
    box.setSuffix(" 倍");
}

QRect roomOnScreen(const QWidget& window)
{
    return window.screen() ? window.screen()->availableGeometry() : QRect(0, 0, 1024, 768);
}

PixelCanvas::PixelCanvas(QWidget* parent)
    : QWidget(parent)
{
    // Every exposed pixel is painted; Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    resizeToImage();
}

std::int32_t PixelCanvas::scale() const
{
    return std::max<std::int32_t>(1, static_cast<std::int32_t>(std::lround(m_zoom * devicePixelRatioF())));
}

void PixelCanvas::setImageSize(std::int32_t width, std::int32_t height)
{
    if (width == m_width && height == m_height)
        return;
    m_width = width;
    m_height = height;
    resizeToImage();
    update();
}

void PixelCanvas::setZoom(int zoom)
{
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    resizeToImage();
    update();
}

void PixelCanvas::resizeToImage()
{
    const double ratio = devicePixelRatioF();
    const auto logical = [&](std::int32_t pixels) {
        return std::max(1, static_cast<int>(std::ceil(double(pixels) * scale() / ratio)));
    };
    setFixedSize(logical(m_width), logical(m_height));
}

QRect PixelCanvas::widgetRect(const TRect& imageRect) const
{
    const TRect device = closeup::deviceRect(imageRect, scale());
    const double ratio = devicePixelRatioF();
    const int left = static_cast<int>(std::floor(device.Left / ratio));
    const int top = static_cast<int>(std::floor(device.Top / ratio));
    const int right = static_cast<int>(std::ceil(device.Right / ratio));
    const int bottom = static_cast<int>(std::ceil(device.Bottom / ratio));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

TPoint PixelCanvas::imagePoint(const QPointF& point) const
{
    const double ratio = devicePixelRatioF();
    return TPoint { closeup::imagePixel(static_cast<std::int64_t>(std::floor(point.x() * ratio)), scale()),
        closeup::imagePixel(static_cast<std::int64_t>(std::floor(point.y() * ratio)), scale()) };
}

void PixelCanvas::updateImageRects(const std::vector<TRect>& rects)
{
    for (const TRect& r : rects) {
        if (r.width() > 0 && r.height() > 0)
            update(widgetRect(r).intersected(rect()));
    }
}

void PixelCanvas::paintEvent(QPaintEvent* event)
{
    guarded([&] {
        QPainter painter(this);
        // Highlights far apart make a region of small rectangles; each is
        // painted alone rather than the whole box around them.
        for (const QRect& exposed : event->region())
            paintPart(painter, exposed);
    });
}

void PixelCanvas::paintPart(QPainter& painter, const QRect& exposed)
{
    const double ratio = devicePixelRatioF();
    const int left = static_cast<int>(std::floor(exposed.left() * ratio));
    const int top = static_cast<int>(std::floor(exposed.top() * ratio));
    const int width = static_cast<int>(std::ceil((exposed.right() + 1) * ratio)) - left;
    const int height = static_cast<int>(std::ceil((exposed.bottom() + 1) * ratio)) - top;
    if (width <= 0 || height <= 0)
        return;
    m_pixels.resize(std::size_t(width) * std::size_t(height));
    const closeup::PixelTarget target { m_pixels.data(), width, height, width };
    if (m_draw)
        m_draw(target, closeup::Viewport { scale(), left, top });
    // Raw values are 0x00RRGGBB; Qt copies the top byte as alpha onto a
    // backing store that has one (Wayland's), so it is made opaque here.
    for (std::uint32_t& pixel : m_pixels)
        pixel |= 0xFF000000u;
    QImage image(reinterpret_cast<const uchar*>(m_pixels.data()), width, height,
        static_cast<qsizetype>(width) * 4, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    painter.setClipRect(exposed);
    painter.drawImage(QPointF(left / ratio, top / ratio), image);
    if (m_drawText)
        m_drawText(painter, exposed);
}

void PixelCanvas::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore(); // the scroll area scrolls
        return;
    }
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0 && onZoomWheel)
        guarded([&] { onZoomWheel(steps); });
    event->accept();
}

void PixelCanvas::mouse(QMouseEvent* event)
{
    if (onMouse)
        guarded([&] { onMouse(imagePoint(event->position()), event->buttons(), event->type()); });
}

void PixelCanvas::mousePressEvent(QMouseEvent* event)
{
    mouse(event);
}

void PixelCanvas::mouseMoveEvent(QMouseEvent* event)
{
    mouse(event);
}

void PixelCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    mouse(event);
}

void PixelCanvas::leaveEvent(QEvent*)
{
    if (onLeave)
        guarded([&] { onLeave(); });
}

} // namespace app
