#pragma once

// The main window: the view, the animation buttons, the loop boxes, the speed
// and pattern boxes, the reload commands and one menu. It only wires widgets
// to the window's logic; what a command does lives below this layer.

#include "form/FormDesign.h"

#include <QMainWindow>

#include <memory>
#include <string>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QWidget;

namespace app {
class CheckWindow;
class DXDrawWidget;
class CloseupWindows;
class QtFormControls;
class ShareCommands;
class WindowPlayerHost;
} // namespace app
namespace playback {
class FormLogic;
}

class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    // The window is built from `design`'s rows, which are read only here.
    explicit TForm1(QWidget* parent = nullptr, const form::FormDesign& design = form::kFormDesign);
    ~TForm1() override;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button6 = nullptr;
    QPushButton* Button7 = nullptr;
    QPushButton* Button8 = nullptr;
    QPushButton* Button9 = nullptr;
    QPushButton* Button10 = nullptr;
    QPushButton* Button11 = nullptr;
    QPushButton* Button12 = nullptr;
    QPushButton* Button14 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* buttonck = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QPushButton* reload = nullptr;
    QPushButton* clipper = nullptr;
    QPushButton* CGreload = nullptr;
    app::DXDrawWidget* DXDraw1 = nullptr;
    QMenuBar* MainMenu1 = nullptr;
    QMenu* N1 = nullptr;
    QAction* autocgload = nullptr;
    QMenu* N2 = nullptr; // the view menu
    QAction* pauseplay = nullptr;
    QAction* autodefload = nullptr;
    QMenu* ToolsMenu = nullptr;
    QAction* checkfile = nullptr;

    playback::FormLogic& logic() { return *m_logic; }
    app::ShareCommands& share() { return *m_share; }
    app::QtFormControls& controls() { return *m_controls; }
    app::CloseupWindows& closeup() { return *m_closeup; }

    // A file dropped on the window, or named on the command line.
    void dropFile(const std::string& path);

public slots:
    // Each widget's own handler; each hands its errors to the error report.
    void FormCreate();
    void FormDestroy();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Button9Click();
    void Button10Click();
    void Button11Click();
    void Button12Click();
    void Button14Click();
    void buttonckClick();
    void reloadClick();
    void CGreloadClick();
    void clipperClick();
    void autocgloadClick();
    void autodefloadClick();
    void Edit1Change();
    void DXDraw1InitializeSurface();
    void DXDraw1FinalizeSurface();
    // The checker's menu item: opens the check window on the loaded file.
    void checkfileClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    static QWidget* createControl(const form::Row& design, QWidget* client);
    void createControls(const form::FormDesign& design, QWidget* client);
    void createMenu(const form::FormDesign& design);
    void takeMembers(QWidget* client);
    void connectHandlers(const form::FormDesign& design);
    // Every button and menu item of the design comes here.
    void press(form::Control control);
    // Runs the command if it is one of the window's own; whether it was.
    bool windowCommand(form::Control control);

    std::unique_ptr<app::QtFormControls> m_controls;
    std::unique_ptr<app::WindowPlayerHost> m_host;
    std::unique_ptr<playback::FormLogic> m_logic;
    std::unique_ptr<app::CloseupWindows> m_closeup;
    std::unique_ptr<app::ShareCommands> m_share;
    bool m_shown = false;
    // Made when first asked for; a child window, so it goes with this one.
    app::CheckWindow* m_checkWindow = nullptr;
};

extern TForm1* Form1;
