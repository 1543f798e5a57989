#pragma once

// The tools menu's commands for showing a character to others: gifsave
// saves the animation that is playing, once through, as an animated GIF at a
// scale chosen in the file dialog; framecopy puts the frame on show on the
// clipboard as an image. What they write lives below this layer.

#include <QImage>

#include <string>

class QAction;
class QComboBox;
class QMainWindow;
class QMenu;

namespace playback {
class FormLogic;
}

namespace app {

class DXDrawWidget;

inline constexpr int kMaxGifDialogScale = 4;

class ShareCommands {
public:
    // The menu and its items are the window's, made from its design; the
    // window calls the handlers.
    ShareCommands(QMainWindow& window, const playback::FormLogic& logic, DXDrawWidget& view);

    QMenu* menu() const { return m_menu; }
    QAction* saveGifAction() const { return m_saveGif; }
    QAction* copyFrameAction() const { return m_copyFrame; }

    // The handlers; errors go to the error report.
    void saveGifClick();
    void copyFrameClick();

    // What the dialog's choice does.
    void saveGif(const std::string& path, int scale);
    // The frame as the view shows it now; null before the display is up.
    QImage shownFrame() const;

private:
    QMainWindow& m_window;
    const playback::FormLogic& m_logic;
    DXDrawWidget& m_view;
    QMenu* m_menu;
    QAction* m_saveGif;
    QAction* m_copyFrame;
};

} // namespace app
