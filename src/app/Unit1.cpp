#include "app/Unit1.h"

#include "app/CheckWindow.h"
#include "app/CloseupWindows.h"
#include "app/DXDrawWidget.h"
#include "app/DropTarget.h"
#include "app/ErrorReport.h"
#include "app/FrameLog.h"
#include "app/MainLoop.h"
#include "app/QtFormControls.h"
#include "app/ShareCommands.h"
#include "app/TypedLineEdit.h"
#include "app/WindowLook.h"
#include "app/WindowPlayerHost.h"
#include "playback/FormLogic.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>

#include <QAction>
#include <QCheckBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QWidget>

#include <functional>

TForm1* Form1 = nullptr;

using form::Control;

namespace {
QString qtText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

TForm1::TForm1(QWidget* parent, const form::FormDesign& design)
    : QMainWindow(parent,
        Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
            | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName("Form1");
    setWindowTitle(qtText(design.caption));
    setFont(app::windowFont(form::kWindowFontPixels));

    auto* client = new QWidget(this);
    client->setObjectName("client");
    client->setFixedSize(design.clientWidth, design.clientHeight);
    client->setAutoFillBackground(true);
    setCentralWidget(client);
    createMenu(design);
    createControls(design, client);
    takeMembers(client);
    new app::DropTarget(*this);
    setFixedSize(design.clientWidth, design.clientHeight + menuBar()->sizeHint().height());

    m_controls = std::make_unique<app::QtFormControls>(*this);
    m_host = std::make_unique<app::WindowPlayerHost>(DXDraw1->control());
    m_logic = std::make_unique<playback::FormLogic>(*m_controls, *m_host);
    m_closeup = std::make_unique<app::CloseupWindows>(*this, *m_logic, DXDraw1->control());
    m_share = std::make_unique<app::ShareCommands>(*this, *m_logic, *DXDraw1);
    connectHandlers(design);
    app::guarded([this] { FormCreate(); });
}

TForm1::~TForm1()
{
    FormDestroy();
    // The display control tears down before the window's children go, so the
    // sheet surface is freed while its display still exists.
    app::guarded([this] { DXDraw1->formDestroying(); });
    m_logic.reset();
}

void TForm1::connectHandlers(const form::FormDesign& design)
{
    for (const form::Row& row : design.rows) {
        if (!row.control)
            continue;
        const Control control = *row.control;
        if (row.kind == form::ControlKind::Button) {
            auto* button = findChild<QPushButton*>(qtText(row.name));
            connect(button, &QPushButton::clicked, this, [this, control] { press(control); });
        } else if (row.kind == form::ControlKind::Item) {
            // A checkable action toggles itself before it reports the
            // click; the command is what sets the mark, so Qt's toggle is
            // undone first.
            auto* item = MainMenu1->findChild<QAction*>(qtText(row.name));
            connect(item, &QAction::triggered, this, [this, item, control](bool checked) {
                if (item->isCheckable())
                    item->setChecked(!checked);
                press(control);
            });
        }
    }
    connect(Edit1, &QLineEdit::textChanged, this, &TForm1::Edit1Change);
    // The check window follows every load while it is open.
    m_logic->setLoadObserver([this] {
        if (m_checkWindow != nullptr && m_checkWindow->isVisible())
            app::guarded([this] { m_checkWindow->refresh(m_logic->definitionPath()); });
    });

    TDXDraw& control = DXDraw1->control();
    control.OnInitializeSurface = [this](TCustomDXDraw&) { DXDraw1InitializeSurface(); };
    control.OnFinalizeSurface = [this](TCustomDXDraw&) { DXDraw1FinalizeSurface(); };

    static app::FrameLog frameLog;
    m_host->onFrameShown = [this] {
        if (frameLog.enabled())
            frameLog.frameShown(m_logic->state().currentAnimation, m_logic->player().frameIndex());
        m_closeup->frameShown();
    };
}

void TForm1::press(Control control)
{
    app::guarded([&] {
        if (!windowCommand(control))
            m_logic->press(control);
    });
}

bool TForm1::windowCommand(Control control)
{
    // The commands that open a window of their own; every other command
    // is the same in the window and in the headless driver.
    const std::pair<Control, std::function<void()>> commands[] = {
        { Control::zoomview, [this] { m_closeup->showZoom(); } },
        { Control::sheetview, [this] { m_closeup->showSheet(); } },
        { Control::checkfile, [this] { checkfileClick(); } },
        { Control::gifsave, [this] { m_share->saveGifClick(); } },
        { Control::framecopy, [this] { m_share->copyFrameClick(); } },
    };
    for (const auto& [owner, command] : commands) {
        if (owner == control) {
            command();
            return true;
        }
    }
    return false;
}

void TForm1::FormCreate()
{
    setAcceptDrops(true);
    // Decoding the icon and handing every size of it to the display takes
    // longer than drawing the first frame; the frame does not wait for it.
    if (app::Application) {
        app::Application->setIdleHandler([this](bool& done) { m_logic->idle(done); });
        app::Application->afterFirstPass([this] { setWindowIcon(app::windowIcon()); });
    } else {
        setWindowIcon(app::windowIcon());
    }
    m_logic->FormCreate();
}

// The window's destruction has nothing of its own to do; the display control
// and the sheet surface are torn down by the destructor around it.
void TForm1::FormDestroy()
{
}

void TForm1::dropFile(const std::string& path)
{
    app::guarded([&] { m_logic->drop(path); });
}

void TForm1::Button1Click()
{
    press(Control::Button1);
}
void TForm1::Button2Click()
{
    press(Control::Button2);
}
void TForm1::Button3Click()
{
    press(Control::Button3);
}
void TForm1::Button4Click()
{
    press(Control::Button4);
}
void TForm1::Button5Click()
{
    press(Control::Button5);
}
void TForm1::Button6Click()
{
    press(Control::Button6);
}
void TForm1::Button7Click()
{
    press(Control::Button7);
}
void TForm1::Button8Click()
{
    press(Control::Button8);
}
void TForm1::Button9Click()
{
    press(Control::Button9);
}
void TForm1::Button10Click()
{
    press(Control::Button10);
}
void TForm1::Button11Click()
{
    press(Control::Button11);
}
void TForm1::Button12Click()
{
    press(Control::Button12);
}
void TForm1::Button14Click()
{
    press(Control::Button14);
}
void TForm1::buttonckClick()
{
    press(Control::buttonck);
}
void TForm1::reloadClick()
{
    press(Control::reload);
}
void TForm1::CGreloadClick()
{
    press(Control::CGreload);
}
void TForm1::clipperClick()
{
    press(Control::clipper);
}
void TForm1::autocgloadClick()
{
    press(Control::autocgload);
}

void TForm1::autodefloadClick()
{
    press(Control::autodefload);
}

void TForm1::Edit1Change()
{
    app::guarded([this] { m_logic->Edit1Change(); });
}

void TForm1::DXDraw1InitializeSurface()
{
    m_logic->DXDraw1InitializeSurface(*DXDraw1->control().DirectDraw());
}

void TForm1::DXDraw1FinalizeSurface()
{
    m_logic->DXDraw1FinalizeSurface();
}

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    app::guarded([this] { DXDraw1->formShown(); });
}

void TForm1::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    // The main window's close ends the application. Qt reports the last
    // window closing only to its own exec loop, which the main loop is not.
    if (event->isAccepted() && app::Application)
        app::Application->terminate();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
}

namespace {

// The bytes the file system gave. The URL carries them percent-encoded;
// through a QString (toLocalFile) a folder whose name is Shift-JIS, not
// UTF-8, would come out as U+FFFD and not open.
std::string droppedPathBytes(const QUrl& url)
{
    if (!url.host().isEmpty())
        return QFile::encodeName(url.toLocalFile()).toStdString();
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

} // namespace

void TForm1::dropEvent(QDropEvent* event)
{
    // Only the first dropped file is used; the path is taken whole.
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            dropFile(droppedPathBytes(url));
            return;
        }
    }
}

void TForm1::createMenu(const form::FormDesign& design)
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName("MainMenu1");
    for (const form::Row& d : design.rows) {
        if (d.kind == form::ControlKind::Menu) {
            QMenu* menu = MainMenu1->addMenu(qtText(d.caption));
            menu->setObjectName(qtText(d.name));
            continue;
        }
        if (d.kind != form::ControlKind::Item && d.kind != form::ControlKind::Separator)
            continue;
        QMenu* parent = MainMenu1->findChild<QMenu*>(qtText(d.menu));
        QAction* action = d.kind == form::ControlKind::Separator ? parent->addSeparator()
                                                                 : parent->addAction(qtText(d.caption));
        action->setObjectName(qtText(d.name));
        action->setCheckable(d.checkable);
        if (!d.shortcut.empty()) {
            action->setShortcut(QKeySequence(qtText(d.shortcut), QKeySequence::PortableText));
            // The keys work from the windows of the menus as well.
            action->setShortcutContext(Qt::ApplicationShortcut);
        }
    }
}

QWidget* TForm1::createControl(const form::Row& d, QWidget* client)
{
    const QString caption = qtText(d.caption);
    switch (d.kind) {
    case form::ControlKind::Label: {
        auto* label = new QLabel(caption, client);
        // A character name is text, never markup.
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    case form::ControlKind::Button:
        return new QPushButton(caption, client);
    case form::ControlKind::Edit:
        if (d.typedLimit > 0)
            return new app::TypedLineEdit(caption, d.typedLimit, client);
        return new QLineEdit(caption, client);
    case form::ControlKind::CheckBox:
        return new QCheckBox(caption, client);
    default:
        break;
    }
    return new app::DXDrawWidget(client);
}

void TForm1::createControls(const form::FormDesign& design, QWidget* client)
{
    std::vector<QWidget*> tabChain(design.rows.size(), nullptr);
    for (const form::Row& d : design.rows) {
        if (d.kind == form::ControlKind::Menu || d.kind == form::ControlKind::Item
            || d.kind == form::ControlKind::Separator)
            continue;
        QWidget* w = createControl(d, client);
        w->setObjectName(qtText(d.name));
        w->setGeometry(d.bounds.left, d.bounds.top, d.bounds.width, d.bounds.height);
        w->setEnabled(d.enabled);
        if (d.fontPixels != form::kWindowFontPixels)
            w->setFont(app::windowFont(d.fontPixels));
        // Labels size themselves to their caption, from their top-left corner.
        if (d.kind == form::ControlKind::Label)
            static_cast<QLabel*>(w)->adjustSize();
        if (d.tabOrder >= 0 && static_cast<std::size_t>(d.tabOrder) < tabChain.size())
            tabChain[static_cast<std::size_t>(d.tabOrder)] = w;
        else
            w->setFocusPolicy(Qt::NoFocus);
    }
    for (std::size_t i = 0; i + 1 < tabChain.size() && tabChain[i + 1]; ++i)
        QWidget::setTabOrder(tabChain[i], tabChain[i + 1]);
}

void TForm1::takeMembers(QWidget* client)
{
    auto take = [client]<typename T>(T*& member, Control control) {
        member = client->findChild<T*>(qtText(form::controlName(control)), Qt::FindDirectChildrenOnly);
    };
    take(Label1, Control::Label1);
    take(Label2, Control::Label2);
    take(Label3, Control::Label3);
    take(Button1, Control::Button1);
    take(Button2, Control::Button2);
    take(Button3, Control::Button3);
    take(Button4, Control::Button4);
    take(Button5, Control::Button5);
    take(Button6, Control::Button6);
    take(Button7, Control::Button7);
    take(Button8, Control::Button8);
    take(Button9, Control::Button9);
    take(Button10, Control::Button10);
    take(Button11, Control::Button11);
    take(Button12, Control::Button12);
    take(Button14, Control::Button14);
    take(Edit1, Control::Edit1);
    take(Edit2, Control::Edit2);
    take(buttonck, Control::buttonck);
    take(CheckBox1, Control::CheckBox1);
    take(CheckBox2, Control::CheckBox2);
    take(reload, Control::reload);
    take(clipper, Control::clipper);
    take(CGreload, Control::CGreload);
    take(DXDraw1, Control::DXDraw1);
    N1 = MainMenu1->findChild<QMenu*>("N1");
    autocgload = MainMenu1->findChild<QAction*>(qtText(form::controlName(Control::autocgload)));
    autodefload = MainMenu1->findChild<QAction*>(qtText(form::controlName(Control::autodefload)));
    N2 = MainMenu1->findChild<QMenu*>("N2");
    pauseplay = MainMenu1->findChild<QAction*>(qtText(form::controlName(Control::pauseplay)));
    ToolsMenu = MainMenu1->findChild<QMenu*>("ToolsMenu");
    checkfile = MainMenu1->findChild<QAction*>(qtText(form::controlName(Control::checkfile)));
}

void TForm1::checkfileClick()
{
    app::guarded([this] {
        if (m_checkWindow == nullptr)
            m_checkWindow = new app::CheckWindow(this);
        m_checkWindow->refresh(m_logic->definitionPath());
        m_checkWindow->show();
        m_checkWindow->raise();
        m_checkWindow->activateWindow();
    });
}
