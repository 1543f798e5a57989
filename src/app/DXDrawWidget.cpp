#include "app/DXDrawWidget.h"

#include "app/ErrorReport.h"
#include "display/ViewDesign.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace app {

DXDrawWidget::DXDrawWidget(QWidget* parent)
    : QWidget(parent)
    , m_form(std::make_shared<platform::SoftWindow>(0, 0))
    , m_window(std::make_shared<platform::SoftWindow>(0, 0))
{
    // The view repaints itself whole on every present; Qt need not clear it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    m_window->OnPresented = [this] { presented(); };
    display::beginViewLoading(m_control, m_form, m_window);
}

DXDrawWidget::~DXDrawWidget()
{
    m_window->OnPresented = nullptr;
}

void DXDrawWidget::presented()
{
    // Paused, the view presents the same frame at every interval; only a
    // frame that differs from the one on screen is worth a repaint.
    const platform::HBITMAP& pixels = m_window->pixels();
    if (pixels) {
        const std::uint8_t* bits = pixels->bits();
        const std::size_t size = pixels->stride() * static_cast<std::size_t>(pixels->height());
        if (m_presented.size() == size && std::equal(bits, bits + size, m_presented.begin()))
            return;
        m_presented.assign(bits, bits + size);
    }
    update();
}

void DXDrawWidget::formShown()
{
    syncWindow();
    display::endViewLoading(m_control);
}

void DXDrawWidget::formDestroying()
{
    m_window->OnPresented = nullptr;
    m_control.FormDestroying();
}

void DXDrawWidget::syncWindow()
{
    const QPoint origin = mapToGlobal(QPoint(0, 0));
    m_window->setGeometry({ origin.x(), origin.y() }, width(), height());
    m_control.SetBounds(x(), y(), width(), height());
}

void DXDrawWidget::moveEvent(QMoveEvent*)
{
    guarded([&] { syncWindow(); });
}

void DXDrawWidget::resizeEvent(QResizeEvent*)
{
    guarded([&] { syncWindow(); });
}

QImage DXDrawWidget::shownImage() const
{
    const platform::HBITMAP& pixels = m_window->pixels();
    if (!m_control.Initialized() || !pixels)
        return {};
    return QImage(pixels->bits(), pixels->width(), pixels->height(), static_cast<qsizetype>(pixels->stride()),
        QImage::Format_RGB32)
        .copy();
}

void DXDrawWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const platform::HBITMAP& pixels = m_window->pixels();
    if (!m_control.Initialized() || !pixels) {
        // Not set up, or set-up failed: the control shows its colour only.
        painter.fillRect(rect(), palette().color(QPalette::Button));
        return;
    }
    // The display's raw value is 0x00RRGGBB, whereas Qt takes RGB32 as
    // 0xffRRGGBB and copies its top byte as alpha onto a backing store that
    // has one (Wayland's): the view would be see-through there. The copy
    // makes every pixel opaque.
    const QImage image(pixels->bits(), pixels->width(), pixels->height(),
        static_cast<qsizetype>(pixels->stride()), QImage::Format_RGB32);
    painter.drawImage(0, 0, image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

} // namespace app
