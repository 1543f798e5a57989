#include "app/ZoomWindow.h"

#include "app/PixelCanvas.h"
#include "app/WindowLook.h"
#include "closeup/PixelView.h"
#include "display/ViewDesign.h"
#include "playback/Composition.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace app {

namespace {

constexpr int kStartZoom = 4;

} // namespace

ZoomWindow::ZoomWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_zoom(new QSpinBox(this))
    , m_grid(new QCheckBox("グリッド", this))
    , m_readout(new QLabel(this))
    , m_scroll(new QScrollArea(this))
    , m_canvas(new PixelCanvas)
{
    setObjectName("ZoomWindow");
    setWindowTitle(menuCaption(form::Control::zoomview));
    m_zoom->setObjectName("zoomFactor");
    m_zoom->setRange(kMinZoom, kMaxZoom);
    m_zoom->setSuffix(" 倍");
    m_zoom->setValue(kStartZoom);
    m_grid->setObjectName("zoomGrid");
    m_readout->setObjectName("zoomReadout");
    m_readout->setTextFormat(Qt::PlainText);
    m_canvas->setObjectName("zoomCanvas");
    m_canvas->setZoom(kStartZoom);
    // Sized for the view before its first frame arrives.
    m_canvas->setImageSize(display::kViewWidth, display::kViewHeight);
    m_scroll->setWidget(m_canvas);
    m_scroll->setAlignment(Qt::AlignCenter);

    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel("倍率", this));
    bar->addWidget(m_zoom);
    bar->addWidget(m_grid);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_readout);
    layout->addWidget(m_scroll, 1);

    m_canvas->setDraw([this](const closeup::PixelTarget& target, const closeup::Viewport& view) {
        const bool grid = m_grid->isChecked() && m_canvas->zoom() >= kMinGridZoom;
        closeup::drawPixels(m_view, target, view, { .grid = grid });
    });
    m_canvas->onZoomWheel = [this](int steps) { setZoom(zoom() + steps); };
    connect(m_zoom, &QSpinBox::valueChanged, this, &ZoomWindow::zoomChanged);
    connect(m_grid, &QCheckBox::toggled, m_canvas, qOverload<>(&QWidget::update));
    zoomChanged(kStartZoom);
    fitToScreen();
}

void ZoomWindow::fitToScreen()
{
    // Room for the whole enlarged view and the two lines above it, as far as
    // the screen allows; the rest scrolls.
    const QSize wanted
        = m_canvas->size() + QSize(40, m_zoom->sizeHint().height() + m_readout->sizeHint().height() + 48);
    const QRect room = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    resize(
        std::min(wanted.width(), room.width() * 9 / 10), std::min(wanted.height(), room.height() * 9 / 10));
}

void ZoomWindow::frameShown(TDirectDrawSurface* view, const std::string& readout)
{
    // Only the part of the view that differs from the last frame is painted.
    if (m_view.capture(view)) {
        m_canvas->setImageSize(m_view.width(), m_view.height());
        m_canvas->updateImageRects({ m_view.changed() });
    }
    if (readout != m_readoutText) {
        m_readoutText = readout;
        m_readout->setText(QString::fromStdString(readout));
    }
}

void ZoomWindow::setZoom(int zoom)
{
    m_zoom->setValue(std::clamp(zoom, kMinZoom, kMaxZoom));
}

int ZoomWindow::zoom() const
{
    return m_zoom->value();
}

void ZoomWindow::setGrid(bool on)
{
    m_grid->setChecked(on);
}

void ZoomWindow::zoomChanged(int zoom)
{
    m_grid->setEnabled(zoom >= kMinGridZoom);
    m_canvas->setZoom(zoom);
}

} // namespace app
