#include "app/ZoomWindow.h"

#include "app/ErrorReport.h"
#include "app/PixelCanvas.h"
#include "app/WindowLook.h"
#include "closeup/PixelView.h"
#include "display/ViewDesign.h"
#include "export/PngEncoder.h"

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace app {

namespace {

QSpinBox* onionBox(QWidget* parent, const char* name)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(0, closeup::kMaxOnionFrames);
    return box;
}

} // namespace

ZoomWindow::ZoomWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_zoom(new QSpinBox(this))
    , m_grid(new QCheckBox("グリッド", this))
    , m_before(onionBox(this, "onionBefore"))
    , m_after(onionBox(this, "onionAfter"))
    , m_noBackground(new QCheckBox("背景なし", this))
    , m_stripBox(new QCheckBox("コマ一覧", this))
    , m_save(new QPushButton("PNG で保存…", this))
    , m_readout(new QLabel(this))
    , m_scroll(new QScrollArea(this))
    , m_canvas(new PixelCanvas)
    , m_stripScroll(new QScrollArea(this))
    , m_stripCanvas(new PixelCanvas)
{
    setObjectName("ZoomWindow");
    setWindowTitle(menuCaption(form::Control::zoomview));
    setUpZoomBox(*m_zoom, "zoomFactor");
    m_zoom->setValue(closeup::kStartZoom);
    m_grid->setObjectName("zoomGrid");
    m_noBackground->setObjectName("noBackground");
    m_stripBox->setObjectName("frameStrip");
    m_save->setObjectName("savePng");
    m_readout->setObjectName("zoomReadout");
    m_readout->setTextFormat(Qt::PlainText);
    m_canvas->setObjectName("zoomCanvas");
    m_canvas->setZoom(closeup::kStartZoom);
    // Sized for the view before its first frame arrives.
    m_canvas->setImageSize(display::kViewWidth, display::kViewHeight);
    m_scroll->setWidget(m_canvas);
    m_scroll->setAlignment(Qt::AlignCenter);
    buildStrip();

    layOut();
    m_canvas->setDraw([this](const closeup::PixelTarget& target, const closeup::Viewport& view) {
        const bool grid = m_grid->isChecked() && m_canvas->zoom() >= kMinGridZoom;
        closeup::drawPixels(m_picture.frame(), target, view, { .grid = grid });
    });
    connectControls();
    zoomChanged(closeup::kStartZoom);
    fitToScreen();
}

void ZoomWindow::layOut()
{
    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel("倍率", this));
    bar->addWidget(m_zoom);
    bar->addWidget(m_grid);
    bar->addSpacing(12);
    bar->addWidget(new QLabel("オニオンスキン 前", this));
    bar->addWidget(m_before);
    bar->addWidget(new QLabel("後", this));
    bar->addWidget(m_after);
    bar->addWidget(m_noBackground);
    bar->addWidget(m_stripBox);
    bar->addStretch();
    bar->addWidget(m_save);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_readout);
    layout->addWidget(m_scroll, 1);
    layout->addWidget(m_stripScroll);
}

void ZoomWindow::connectControls()
{
    m_canvas->onZoomWheel = [this](int steps) { setZoom(zoom() + steps); };
    connect(m_zoom, &QSpinBox::valueChanged, this, &ZoomWindow::zoomChanged);
    connect(m_grid, &QCheckBox::toggled, m_canvas, qOverload<>(&QWidget::update));
    for (QSpinBox* box : { m_before, m_after })
        connect(box, &QSpinBox::valueChanged, this, [this] { settingsChanged(); });
    connect(m_noBackground, &QCheckBox::toggled, this, [this] { settingsChanged(); });
    connect(m_stripBox, &QCheckBox::toggled, this, &ZoomWindow::stripToggled);
    connect(m_save, &QPushButton::clicked, this, &ZoomWindow::saveClicked);
}

void ZoomWindow::buildStrip()
{
    m_stripCanvas->setObjectName("stripCanvas");
    m_stripCanvas->setZoom(1);
    m_stripCanvas->setDraw([this](const closeup::PixelTarget& target, const closeup::Viewport& view) {
        closeup::drawPixels(m_stripImage, target, view, {});
        closeup::drawMark(target, view, m_picture.strip().cell(m_picture.mark()));
    });
    m_stripCanvas->setDrawText(
        [this](QPainter& painter, const QRect& exposed) { drawStripNumbers(painter, exposed); });
    m_stripCanvas->onMouse = [this](TPoint pixel, Qt::MouseButtons, QEvent::Type type) {
        if (type != QEvent::MouseButtonPress)
            return;
        const std::int32_t frame = m_picture.strip().frameAt(pixel.X, pixel.Y);
        if (frame != 0 && onFrameClicked)
            onFrameClicked(frame);
    };
    m_stripScroll->setObjectName("stripScroll");
    m_stripScroll->setWidget(m_stripCanvas);
    m_stripScroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_stripScroll->setFixedHeight(closeup::kCellHeight
        + m_stripScroll->horizontalScrollBar()->sizeHint().height() + 2 * m_stripScroll->frameWidth());
    m_stripScroll->hide();
}

void ZoomWindow::drawStripNumbers(QPainter& painter, const QRect& exposed) const
{
    const closeup::FrameList& strip = m_picture.strip();
    const int first = std::max(1, exposed.left() / closeup::kCellWidth + 1);
    const int last = std::min(strip.count(), exposed.right() / closeup::kCellWidth + 1);
    painter.setPen(Qt::white);
    for (int frame = first; frame <= last; ++frame) {
        const TRect cell = strip.cell(frame);
        const QRect box(cell.Left + closeup::kCellMargin, cell.Bottom - closeup::kCellMargin - 16, 28, 16);
        painter.fillRect(box, QColor(0, 0, 0, 160));
        painter.drawText(box, Qt::AlignCenter, QString::number(frame));
    }
}

void ZoomWindow::fitToScreen()
{
    // Room for the whole enlarged view and the two lines above it, as far as
    // the screen allows; the rest scrolls.
    const QSize wanted
        = m_canvas->size() + QSize(40, m_zoom->sizeHint().height() + m_readout->sizeHint().height() + 48);
    const QRect room = roomOnScreen(*this);
    resize(std::max(wanted.width(), sizeHint().width()), std::min(wanted.height(), room.height() * 9 / 10));
    resize(std::min(width(), room.width() * 9 / 10), height());
}

void ZoomWindow::frameShown(const closeup::Presented& presented, const std::string& readout)
{
    showChanges(m_picture.update(presented));
    if (readout != m_readoutText) {
        m_readoutText = readout;
        m_readout->setText(QString::fromStdString(readout));
    }
}

void ZoomWindow::frameShown(TDirectDrawSurface* view, const std::string& readout)
{
    frameShown(closeup::Presented { nullptr, 0, nullptr, view }, readout);
}

void ZoomWindow::showChanges(const closeup::ZoomPicture::Changes& changes)
{
    const closeup::SurfaceImage& frame = m_picture.frame();
    if (changes.frame) {
        m_canvas->setImageSize(frame.width(), frame.height());
        m_canvas->updateImageRects({ changes.frameRect });
    }
    const closeup::FrameList& strip = m_picture.strip();
    if (changes.strip) {
        m_stripImage.assign(strip.image());
        m_stripCanvas->setImageSize(std::max(1, m_stripImage.width()), std::max(1, m_stripImage.height()));
        m_stripCanvas->update();
    } else if (changes.oldMark != changes.newMark) {
        m_stripCanvas->updateImageRects({ strip.cell(changes.oldMark), strip.cell(changes.newMark) });
    }
    if (changes.newMark != changes.oldMark && changes.newMark != 0)
        keepInSight(strip.cell(changes.newMark));
}

void ZoomWindow::keepInSight(const TRect& cell)
{
    // A page at a time rather than a cell at a time: a scroll repaints the
    // whole strip, so a playing animation scrolls once per page, not once
    // per frame. The frame before the marked one stays in sight.
    QScrollBar* bar = m_stripScroll->horizontalScrollBar();
    const int left = bar->value();
    const int right = left + m_stripScroll->viewport()->width();
    if (cell.Left >= left && cell.Right <= right)
        return;
    bar->setValue(std::max(0, cell.Left - closeup::kCellWidth));
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

void ZoomWindow::setOnion(const closeup::OnionSettings& onion)
{
    m_before->setValue(onion.before);
    m_after->setValue(onion.after);
    m_noBackground->setChecked(onion.noBackground);
}

void ZoomWindow::setStripShown(bool shown)
{
    m_stripBox->setChecked(shown);
}

void ZoomWindow::zoomChanged(int zoom)
{
    m_grid->setEnabled(zoom >= kMinGridZoom);
    m_canvas->setZoom(zoom);
}

void ZoomWindow::settingsChanged()
{
    m_picture.setOnion({ m_before->value(), m_after->value(), m_noBackground->isChecked() });
    // Shown at once, paused or not: the frame on show again with the new look.
    if (onRefresh)
        onRefresh();
}

void ZoomWindow::stripToggled(bool shown)
{
    m_picture.setStripShown(shown);
    m_stripScroll->setVisible(shown);
    if (shown && onRefresh)
        onRefresh();
}

void ZoomWindow::savePng(const std::string& path) const
{
    const display::ColorImage picture
        = m_picture.picture(zoom(), m_grid->isChecked() && zoom() >= kMinGridZoom);
    exporter::writePng(
        path, picture.width, picture.height, [&](std::int32_t y, std::span<std::uint32_t> row) {
            std::copy_n(picture.pixels.begin() + std::ptrdiff_t(y) * picture.width, row.size(), row.begin());
        });
}

void ZoomWindow::saveClicked()
{
    guarded([this] {
        const QString path = QFileDialog::getSaveFileName(this, "PNG で保存", QString(), "PNG (*.png)");
        if (!path.isEmpty())
            savePng(QFile::encodeName(path).toStdString());
    });
}

} // namespace app
