#include "app/SheetViewer.h"

#include "app/PixelCanvas.h"
#include "app/WindowLook.h"
#include "closeup/PatternNumbers.h"
#include "closeup/PixelView.h"
#include "closeup/SheetOverlay.h"
#include "closeup/SheetReadout.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace app {

namespace {

constexpr int kLabelPixels = 10;

QFont labelFont()
{
    QFont font;
    font.setPixelSize(kLabelPixels);
    return font;
}

std::vector<TRect> rectsOf(const std::vector<closeup::Highlight>& highlights)
{
    std::vector<TRect> rects;
    for (const closeup::Highlight& h : highlights)
        rects.push_back(h.rect);
    return rects;
}

} // namespace

SheetViewer::SheetViewer(const character::CharacterState& state, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_state(state)
    , m_zoom(new QSpinBox(this))
    , m_checkerboard(new QCheckBox("透明色を市松模様で表示", this))
    , m_point(new QLabel(this))
    , m_lineEdit(new QLineEdit(this))
    , m_copy(new QPushButton("コピー", this))
    , m_scroll(new QScrollArea(this))
    , m_canvas(new PixelCanvas)
{
    setObjectName("SheetViewer");
    setWindowTitle(menuCaption(form::Control::sheetview));
    m_zoom->setObjectName("sheetZoom");
    m_zoom->setRange(kMinZoom, kMaxZoom);
    m_zoom->setSuffix(" 倍");
    m_checkerboard->setObjectName("sheetCheckerboard");
    m_point->setObjectName("sheetPoint");
    m_point->setTextFormat(Qt::PlainText);
    m_lineEdit->setObjectName("sheetSelection");
    m_lineEdit->setReadOnly(true);
    m_lineEdit->setPlaceholderText("ドラッグで範囲を選ぶとパターン行を作ります");
    m_copy->setObjectName("sheetCopy");
    m_copy->setEnabled(false);
    m_canvas->setObjectName("sheetCanvas");
    m_scroll->setWidget(m_canvas);

    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel("倍率", this));
    bar->addWidget(m_zoom);
    bar->addWidget(m_checkerboard);
    bar->addStretch();
    bar->addWidget(new QLabel("赤: ベース　緑: レイヤー　黄: 配置", this));
    auto* line = new QHBoxLayout;
    line->addWidget(m_lineEdit, 1);
    line->addWidget(m_copy);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_point);
    layout->addLayout(line);
    layout->addWidget(m_scroll, 1);
    // Keeps the line from jumping when the mouse leaves the sheet.
    m_point->setMinimumHeight(m_point->sizeHint().height());

    m_canvas->setDraw([this](const closeup::PixelTarget& target, const closeup::Viewport& view) {
        closeup::drawPixels(m_sheet, target, view, { .checkerboard = m_checkerboard->isChecked() });
        closeup::drawOutlines(target, view, m_outlines, m_highlights);
        closeup::drawSelection(target, view, m_selection);
    });
    m_canvas->setDrawText([this](QPainter& painter, const QRect& exposed) { drawLabels(painter, exposed); });
    m_canvas->onZoomWheel = [this](int steps) { setZoom(m_zoom->value() + steps); };
    m_canvas->onMouse = [this](TPoint p, Qt::MouseButtons b, QEvent::Type t) { mouse(p, b, t); };
    m_canvas->onLeave = [this] { showPoint(TPoint { -1, -1 }); };
    connect(m_zoom, &QSpinBox::valueChanged, m_canvas, &PixelCanvas::setZoom);
    connect(m_checkerboard, &QCheckBox::toggled, m_canvas, qOverload<>(&QWidget::update));
    connect(m_copy, &QPushButton::clicked, this, &SheetViewer::copySelectionLine);
    auto* copy = new QShortcut(QKeySequence::Copy, this);
    connect(copy, &QShortcut::activated, this, &SheetViewer::copySelectionLine);

    const QRect room = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    resize(room.width() * 2 / 3, room.height() * 2 / 3);
}

void SheetViewer::frameShown(std::int32_t animation, std::int32_t frameIndex, TDirectDrawSurface* sheet)
{
    if (m_sheet.follow(sheet)) {
        m_canvas->setImageSize(m_sheet.width(), m_sheet.height());
        // A selection stays where it was, cut to the new sheet.
        if (m_selection.width() > 0 && m_selection.height() > 0)
            setSelection(closeup::dragSelection(TPoint { m_selection.Left, m_selection.Top },
                TPoint { m_selection.Right - 1, m_selection.Bottom - 1 }, m_sheet.width(), m_sheet.height()));
        m_canvas->update();
    }
    followDefinition();
    std::vector<closeup::Highlight> highlights = closeup::frameHighlights(m_state, animation, frameIndex);
    if (highlights != m_highlights) {
        m_canvas->updateImageRects(rectsOf(m_highlights));
        m_highlights = std::move(highlights);
        m_canvas->updateImageRects(rectsOf(m_highlights));
    }
    updateLine();
}

void SheetViewer::followDefinition()
{
    // A label follows the numbering its line was read in, so that is part
    // of what a reload may change.
    std::vector<closeup::Outline> outlines = closeup::patternOutlines(m_state);
    if (outlines == m_outlines && m_state.hexPatterns == m_hexPatterns)
        return;
    m_outlines = std::move(outlines);
    m_hexPatterns = m_state.hexPatterns;
    m_labels.clear();
    const QFontMetrics metrics(labelFont());
    for (const closeup::Outline& outline : m_outlines) {
        const QString text = QString::fromStdString(closeup::patternLabel(m_state, outline.number));
        m_labels.push_back({ text, metrics.size(0, text) + QSize(4, 0) });
    }
    m_canvas->update();
}

void SheetViewer::drawLabels(QPainter& painter, const QRect& exposed)
{
    painter.setFont(labelFont());
    for (std::size_t i = 0; i < m_outlines.size(); ++i) {
        const QRect box(m_canvas->widgetRect(m_outlines[i].rect).topLeft() + QPoint(1, 1), m_labels[i].size);
        if (!box.intersects(exposed))
            continue;
        painter.fillRect(box, QColor(0, 0, 0, 170));
        painter.setPen(Qt::white);
        painter.drawText(box, Qt::AlignCenter, m_labels[i].text);
    }
}

void SheetViewer::mouse(TPoint pixel, Qt::MouseButtons buttons, QEvent::Type type)
{
    showPoint(pixel);
    if (type == QEvent::MouseButtonPress && (buttons & Qt::LeftButton)) {
        m_dragging = true;
        m_dragFrom = pixel;
    }
    if (!m_dragging)
        return;
    setSelection(closeup::dragSelection(m_dragFrom, pixel, m_sheet.width(), m_sheet.height()));
    if (type == QEvent::MouseButtonRelease)
        m_dragging = false;
    updateLine();
}

void SheetViewer::select(TPoint from, TPoint to)
{
    setSelection(closeup::dragSelection(from, to, m_sheet.width(), m_sheet.height()));
    updateLine();
}

void SheetViewer::showPoint(TPoint pixel)
{
    std::string text = closeup::pointText(m_state, m_sheet, m_outlines, pixel.X, pixel.Y);
    if (text == m_pointText)
        return;
    m_pointText = std::move(text);
    m_point->setText(QString::fromStdString(m_pointText));
}

void SheetViewer::setSelection(const TRect& selection)
{
    if (selection == m_selection)
        return;
    m_canvas->updateImageRects({ m_selection, selection });
    m_selection = selection;
}

void SheetViewer::updateLine()
{
    std::string line = closeup::selectionLine(m_state, m_selection);
    if (line == m_line)
        return;
    m_line = std::move(line);
    m_lineEdit->setText(QString::fromStdString(m_line));
    m_copy->setEnabled(m_line.starts_with("#"));
}

void SheetViewer::copySelectionLine()
{
    if (m_line.starts_with("#"))
        QGuiApplication::clipboard()->setText(QString::fromStdString(m_line));
}

void SheetViewer::setZoom(int zoom)
{
    m_zoom->setValue(std::clamp(zoom, kMinZoom, kMaxZoom));
}

void SheetViewer::setCheckerboard(bool on)
{
    m_checkerboard->setChecked(on);
}

} // namespace app
