#include "app/SheetViewer.h"

#include "app/PixelCanvas.h"
#include "app/WindowLook.h"
#include "closeup/PatternNumbers.h"
#include "closeup/PixelView.h"
#include "closeup/SheetOverlay.h"
#include "closeup/SheetPicking.h"
#include "closeup/SheetReadout.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
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
    , m_gap(new QSpinBox(this))
    , m_sliceAll(new QPushButton("未定義の絵をすべて切り出す", this))
    , m_missingSummary(new QLabel(this))
    , m_missingList(new QPlainTextEdit(this))
    , m_copyAll(new QPushButton("すべてコピー", this))
    , m_scroll(new QScrollArea(this))
    , m_canvas(new PixelCanvas)
{
    setObjectName("SheetViewer");
    setWindowTitle(menuCaption(form::Control::sheetview));
    setUpZoomBox(*m_zoom, "sheetZoom");
    m_checkerboard->setObjectName("sheetCheckerboard");
    m_point->setObjectName("sheetPoint");
    m_point->setTextFormat(Qt::PlainText);
    m_lineEdit->setObjectName("sheetSelection");
    m_lineEdit->setReadOnly(true);
    m_lineEdit->setPlaceholderText(
        "ドラッグで範囲を、クリックで絵を選ぶとパターン行を作ります（Shift+クリックで追加）");
    m_copy->setObjectName("sheetCopy");
    m_copy->setEnabled(false);
    m_gap->setObjectName("sheetGap");
    m_gap->setRange(0, closeup::kMaxViewerGap);
    m_gap->setToolTip("間がこれだけの画素以内の絵は一つの絵とします");
    m_sliceAll->setObjectName("sheetSliceAll");
    m_missingSummary->setObjectName("sheetMissingSummary");
    m_missingList->setObjectName("sheetMissingList");
    m_missingList->setReadOnly(true);
    m_missingList->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_missingList->setFixedHeight(m_missingList->fontMetrics().lineSpacing() * 6 + 12);
    m_missingList->hide();
    m_copyAll->setObjectName("sheetCopyAll");
    m_copyAll->setEnabled(false);
    m_canvas->setObjectName("sheetCanvas");
    m_scroll->setWidget(m_canvas);

    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel("倍率", this));
    bar->addWidget(m_zoom);
    bar->addWidget(m_checkerboard);
    bar->addWidget(new QLabel("隙間", this));
    bar->addWidget(m_gap);
    bar->addStretch();
    bar->addWidget(new QLabel("赤: ベース　緑: レイヤー　黄: 配置　青: 未定義", this));
    auto* line = new QHBoxLayout;
    line->addWidget(m_lineEdit, 1);
    line->addWidget(m_copy);
    auto* missing = new QHBoxLayout;
    missing->addWidget(m_sliceAll);
    missing->addWidget(m_missingSummary, 1);
    missing->addWidget(m_copyAll);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_point);
    layout->addLayout(line);
    layout->addLayout(missing);
    layout->addWidget(m_missingList);
    layout->addWidget(m_scroll, 1);
    // Keeps the line from jumping when the mouse leaves the sheet.
    m_point->setMinimumHeight(m_point->sizeHint().height());

    m_canvas->setDraw([this](const closeup::PixelTarget& target, const closeup::Viewport& view) {
        closeup::drawPixels(m_sheet, target, view, { .checkerboard = m_checkerboard->isChecked() });
        closeup::drawOutlines(target, view, m_outlines, m_highlights);
        closeup::drawMissing(target, view, m_missingRects);
        closeup::drawSelection(target, view, m_selection);
    });
    m_canvas->setDrawText([this](QPainter& painter, const QRect& exposed) { drawLabels(painter, exposed); });
    m_canvas->onZoomWheel = [this](int steps) { setZoom(m_zoom->value() + steps); };
    m_canvas->onMouse = [this](TPoint p, Qt::MouseButtons b, QEvent::Type t) { mouse(p, b, t); };
    m_canvas->onLeave = [this] { showPoint(TPoint { -1, -1 }); };
    connect(m_zoom, &QSpinBox::valueChanged, m_canvas, &PixelCanvas::setZoom);
    connect(m_checkerboard, &QCheckBox::toggled, m_canvas, qOverload<>(&QWidget::update));
    connect(m_copy, &QPushButton::clicked, this, &SheetViewer::copySelectionLine);
    connect(m_gap, &QSpinBox::valueChanged, this, &SheetViewer::gapChanged);
    connect(m_sliceAll, &QPushButton::clicked, this, &SheetViewer::sliceAll);
    connect(m_copyAll, &QPushButton::clicked, this, &SheetViewer::copyMissingLines);
    // The canvas tells the mouse without its keys; Shift is taken here.
    m_canvas->installEventFilter(this);
    auto* copy = new QShortcut(QKeySequence::Copy, this);
    connect(copy, &QShortcut::activated, this, &SheetViewer::copySelectionLine);

    const QRect room = roomOnScreen(*this);
    resize(room.width() * 2 / 3, room.height() * 2 / 3);
}

void SheetViewer::frameShown(std::int32_t animation, std::int32_t frameIndex, TDirectDrawSurface* sheet)
{
    bool changed = false;
    if (m_sheet.follow(sheet)) {
        changed = true;
        m_islandsFresh = false;
        m_canvas->setImageSize(m_sheet.width(), m_sheet.height());
        // A selection stays where it was, cut to the new sheet.
        if (m_selection.width() > 0 && m_selection.height() > 0)
            setSelection(closeup::dragSelection(TPoint { m_selection.Left, m_selection.Top },
                TPoint { m_selection.Right - 1, m_selection.Bottom - 1 }, m_sheet.width(), m_sheet.height()));
        m_canvas->update();
    }
    changed |= followDefinition();
    if (changed && m_missingShown)
        refreshMissing();
    std::vector<closeup::Highlight> highlights = closeup::frameHighlights(m_state, animation, frameIndex);
    if (highlights != m_highlights) {
        m_canvas->updateImageRects(rectsOf(m_highlights));
        m_highlights = std::move(highlights);
        m_canvas->updateImageRects(rectsOf(m_highlights));
    }
    updateLine();
}

bool SheetViewer::followDefinition()
{
    // A label follows the numbering its line was read in, and new lines
    // take the numbers that the file leaves free, so both are part of what
    // a reload may change.
    std::vector<closeup::Outline> outlines = closeup::patternOutlines(m_state);
    if (outlines == m_outlines && m_state.hexPatterns == m_hexPatterns
        && m_state.definedPatterns == m_definedPatterns && m_state.hexNumbering == m_hexNumbering)
        return false;
    m_outlines = std::move(outlines);
    m_hexPatterns = m_state.hexPatterns;
    m_definedPatterns = m_state.definedPatterns;
    m_hexNumbering = m_state.hexNumbering;
    m_labels.clear();
    const QFontMetrics metrics(labelFont());
    for (const closeup::Outline& outline : m_outlines) {
        const QString text = QString::fromStdString(closeup::patternLabel(m_state, outline.number));
        m_labels.push_back({ text, metrics.size(0, text) + QSize(4, 0) });
    }
    m_canvas->update();
    return true;
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

bool SheetViewer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_canvas
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease))
        m_modifiers = static_cast<QMouseEvent*>(event)->modifiers();
    return QWidget::eventFilter(watched, event);
}

void SheetViewer::mouse(TPoint pixel, Qt::MouseButtons buttons, QEvent::Type type)
{
    showPoint(pixel);
    const bool adding = m_modifiers & Qt::ShiftModifier;
    if (type == QEvent::MouseButtonPress && (buttons & Qt::LeftButton)) {
        m_dragging = true;
        m_moved = false;
        m_dragFrom = pixel;
    }
    if (!m_dragging)
        return;
    m_moved |= pixel != m_dragFrom;
    if (type == QEvent::MouseButtonRelease) {
        m_dragging = false;
        if (!m_moved) {
            click(pixel, adding);
            return;
        }
    }
    // A Shift+press waits to see whether it is a click that adds.
    if (m_moved || !adding)
        setSelection(closeup::dragSelection(m_dragFrom, pixel, m_sheet.width(), m_sheet.height()));
    updateLine();
}

void SheetViewer::click(TPoint pixel, bool add)
{
    if (!m_islandsFresh) {
        m_islands = closeup::findIslands(closeup::sheetPixels(m_sheet), m_gap->value());
        m_islandsFresh = true;
    }
    setSelection(closeup::clickSelection(m_sheet, m_islands, pixel, m_selection, add));
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

void SheetViewer::setGap(int gap)
{
    m_gap->setValue(gap);
}

void SheetViewer::gapChanged()
{
    m_islandsFresh = false;
    if (m_missingShown)
        refreshMissing();
}

void SheetViewer::sliceAll()
{
    m_missingShown = true;
    m_missingList->show();
    refreshMissing();
}

void SheetViewer::refreshMissing()
{
    closeup::SliceOptions options;
    options.gap = m_gap->value();
    const closeup::SliceResult result
        = closeup::findMissingPatterns(closeup::sheetPixels(m_sheet), m_state, options);
    m_missingLines = closeup::missingLines(result);
    m_missingList->setPlainText(QString::fromStdString(m_missingLines));
    m_missingSummary->setText(QString::fromStdString(closeup::missingSummary(result)));
    m_copyAll->setEnabled(!m_missingLines.empty());
    m_missingRects.clear();
    for (const closeup::MissingPattern& pattern : result.missing)
        m_missingRects.push_back(pattern.rect);
    m_canvas->update();
}

void SheetViewer::copyMissingLines()
{
    if (!m_missingLines.empty())
        QGuiApplication::clipboard()->setText(QString::fromStdString(m_missingLines));
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
