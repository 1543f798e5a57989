#pragma once

// The sheet window: the image that the sheet surface holds, enlarged by a whole
// factor and scrollable, with every pattern outlined and labelled, the
// patterns of the frame on show highlighted, the key colour optionally as a
// checkerboard, what lies under the mouse, and the pattern line for a
// rectangle dragged out on the sheet or for the drawing under a click
// (Shift+click adds one); 未定義の絵をすべて切り出す lists, outlines and
// copies the lines of every drawing that the file does not cut yet.

#include "character/CharacterTables.h"
#include "closeup/CloseupPicture.h"
#include "closeup/SheetRegions.h"
#include "closeup/Slicer.h"
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
class QPlainTextEdit;
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
    // A click on a sheet pixel, as press and release on it; `add` as with Shift.
    void click(TPoint pixel, bool add);
    std::string selectionLine() const { return m_line; }
    void copySelectionLine();

    // 隙間: how close two drawings may come and still be one (0 to 16).
    void setGap(int gap);
    // 未定義の絵をすべて切り出す: lists and outlines the missing patterns
    // and keeps them up to date while the window follows reloads.
    void sliceAll();
    const std::string& missingLines() const { return m_missingLines; }
    void copyMissingLines();

    static constexpr int kMinZoom = closeup::kMinZoom;
    static constexpr int kMaxZoom = closeup::kMaxZoom;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Label {
        QString text;
        QSize size;
    };

    void drawLabels(QPainter& painter, const QRect& exposed);
    bool followDefinition();
    void gapChanged();
    void refreshMissing();
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
    QSpinBox* m_gap;
    QPushButton* m_sliceAll;
    QLabel* m_missingSummary;
    QPlainTextEdit* m_missingList;
    QPushButton* m_copyAll;
    QScrollArea* m_scroll;
    PixelCanvas* m_canvas;

    closeup::SurfaceImage m_sheet;
    std::vector<closeup::Outline> m_outlines;
    std::vector<Label> m_labels;
    std::bitset<character::kPatternCount> m_hexPatterns;
    std::bitset<character::kPatternCount> m_definedPatterns;
    bool m_hexNumbering = false;
    std::vector<closeup::Highlight> m_highlights;
    TRect m_selection;
    TPoint m_dragFrom;
    bool m_dragging = false;
    bool m_moved = false; // off the pixel where the button went down
    Qt::KeyboardModifiers m_modifiers; // of the last press or release
    std::vector<closeup::Island> m_islands; // at the gap, of the sheet on show
    bool m_islandsFresh = false;
    bool m_missingShown = false;
    std::vector<TRect> m_missingRects;
    std::string m_missingLines;
    std::string m_line; // the pattern line of the selection
    std::string m_pointText;
};

} // namespace app
