#pragma once

// The sheet window: the image that the sheet surface holds, enlarged by a whole
// factor and scrollable, with every pattern outlined and labelled, the
// patterns of the frame on show highlighted, the key colour optionally as a
// checkerboard, what lies under the mouse, and the pattern line for a
// rectangle dragged out on the sheet.

#include "character/CharacterTables.h"
#include "closeup/SheetRegions.h"
#include "closeup/SurfaceImage.h"

#include <QEvent>
#include <QString>
#include <QWidget>

#include <bitset>

#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QScrollArea;
class QSpinBox;

namespace app {

class PixelCanvas;

class SheetViewer : public QWidget {
    Q_OBJECT

public:
    SheetViewer(const character::CharacterState& state, QWidget* parent = nullptr);

    // A frame was shown: follows a reload of the sheet or of the definition
    // and the frame's patterns, repainting only what changed.
    void frameShown(std::int32_t animation, std::int32_t frameIndex, TDirectDrawSurface* sheet);

    void setZoom(int zoom);
    void setCheckerboard(bool on);
    // Selects a rectangle of sheet pixels as a drag would.
    void select(TPoint from, TPoint to);
    std::string selectionLine() const { return m_line; }
    void copySelectionLine();

    static constexpr int kMinZoom = 1;
    static constexpr int kMaxZoom = 8;

private:
    struct Label {
        QString text;
        QSize size;
    };

    void drawLabels(QPainter& painter, const QRect& exposed);
    void followDefinition();
    void mouse(TPoint pixel, Qt::MouseButtons buttons, QEvent::Type type);
    void showPoint(TPoint pixel);
    void setSelection(const TRect& selection);
    void updateLine();

    const character::CharacterState& m_state;
    QSpinBox* m_zoom;
    QCheckBox* m_checkerboard;
    QLabel* m_point;
    QLineEdit* m_lineEdit;
    QPushButton* m_copy;
    QScrollArea* m_scroll;
    PixelCanvas* m_canvas;

    closeup::SurfaceImage m_sheet;
    std::vector<closeup::Outline> m_outlines;
    std::vector<Label> m_labels;
    std::bitset<character::kPatternCount> m_hexPatterns;
    std::vector<closeup::Highlight> m_highlights;
    TRect m_selection;
    TPoint m_dragFrom;
    bool m_dragging = false;
    std::string m_line; // the pattern line of the selection
    std::string m_pointText;
};

} // namespace app
