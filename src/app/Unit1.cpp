#include "app/Unit1.h"

#include "app/DXDrawWidget.h"
#include "app/DropTarget.h"
#include "app/ErrorReport.h"
#include "app/FormDesign.h"
#include "app/FrameLog.h"
#include "app/MainLoop.h"
#include "app/QtFormControls.h"
#include "app/WindowLook.h"
#include "app/WindowPlayerHost.h"
#include "playback/FormLogic.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QValidator>
#include <QWidget>

TForm1* Form1 = nullptr;

namespace {

// Delphi's edit box counts typed characters against its limit but lets the
// program set longer texts; a Qt maximum length would cut those, so the
// limit is a validator that refuses only edits that make the text longer
// than three characters. Deleting from a longer text the program set stays
// possible, as it is in the platform's edit box.
class TypedLengthValidator : public QValidator {
public:
    TypedLengthValidator(int limit, QLineEdit* edit)
        : QValidator(edit)
        , m_limit(limit)
        , m_current(edit->text().size())
    {
        connect(
            edit, &QLineEdit::textChanged, this, [this](const QString& text) { m_current = text.size(); });
    }
    State validate(QString& input, int&) const override
    {
        return input.size() <= m_limit || input.size() < m_current ? Acceptable : Invalid;
    }

private:
    int m_limit;
    qsizetype m_current;
};

} // namespace

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent,
        Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
            | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName("Form1");
    setWindowTitle("Nimbrel");
    setWindowIcon(app::windowIcon());
    setFont(app::windowFont(app::kFontPixels));

    auto* client = new QWidget(this);
    client->setObjectName("client");
    client->setFixedSize(app::kClientWidth, app::kClientHeight);
    client->setAutoFillBackground(true);
    setCentralWidget(client);
    createMenu();
    createControls(client);
    new app::DropTarget(*this);
    setFixedSize(app::kClientWidth, app::kClientHeight + menuBar()->sizeHint().height());

    m_controls = std::make_unique<app::QtFormControls>(*this);
    m_host = std::make_unique<app::WindowPlayerHost>(DXDraw1->control());
    m_logic = std::make_unique<playback::FormLogic>(*m_controls, *m_host);
    connectHandlers();
    app::guarded([this] { FormCreate(); });
}

TForm1::~TForm1()
{
    // The display control tears down before the window's children go, so the
    // sheet surface is freed while its display still exists.
    app::guarded([this] { DXDraw1->formDestroying(); });
    m_logic.reset();
}

void TForm1::connectHandlers()
{
    using character::Control;
    const std::pair<QPushButton*, Control> buttons[] = {
        { Button1, Control::Button1 },
        { Button2, Control::Button2 },
        { Button3, Control::Button3 },
        { Button4, Control::Button4 },
        { Button5, Control::Button5 },
        { Button6, Control::Button6 },
        { Button7, Control::Button7 },
        { Button8, Control::Button8 },
        { Button9, Control::Button9 },
        { Button10, Control::Button10 },
        { Button11, Control::Button11 },
        { Button12, Control::Button12 },
        { Button14, Control::Button14 },
    };
    for (const auto& [button, control] : buttons) {
        const Control c = control;
        connect(button, &QPushButton::clicked, this,
            [this, c] { app::guarded([&] { m_logic->buttonClick(c); }); });
    }
    connect(buttonck, &QPushButton::clicked, this, &TForm1::buttonckClick);
    connect(reload, &QPushButton::clicked, this, &TForm1::reloadClick);
    connect(CGreload, &QPushButton::clicked, this, &TForm1::CGreloadClick);
    connect(clipper, &QPushButton::clicked, this, &TForm1::clipperClick);
    connect(Edit1, &QLineEdit::textChanged, this, &TForm1::Edit1Change);
    // A checkable action toggles itself before it reports the click; the
    // handler is what toggles the mark, so Qt's toggle is undone first.
    connect(autocgload, &QAction::triggered, this, [this](bool checked) {
        autocgload->setChecked(!checked);
        autocgloadClick();
    });

    TDXDraw& control = DXDraw1->control();
    control.OnInitializeSurface = [this](TCustomDXDraw&) { DXDraw1InitializeSurface(); };
    control.OnFinalizeSurface = [this](TCustomDXDraw&) { DXDraw1FinalizeSurface(); };

    static app::FrameLog frameLog;
    if (frameLog.enabled()) {
        m_host->onFrameShown = [this] {
            frameLog.frameShown(m_logic->state().currentAnimation, m_logic->player().frameIndex());
        };
    }
}

void TForm1::FormCreate()
{
    setAcceptDrops(true);
    if (app::Application)
        app::Application->setIdleHandler([this](bool& done) { m_logic->idle(done); });
    m_logic->FormCreate();
}

void TForm1::dropFile(const std::string& path)
{
    app::guarded([&] { m_logic->drop(path); });
}

void TForm1::reloadClick()
{
    app::guarded([this] { m_logic->reloadClick(); });
}

void TForm1::CGreloadClick()
{
    app::guarded([this] { m_logic->CGreloadClick(); });
}

void TForm1::autocgloadClick()
{
    app::guarded([this] { m_logic->autocgloadClick(); });
}

void TForm1::clipperClick()
{
    app::guarded([this] { m_logic->clipperClick(); });
}

void TForm1::Edit1Change()
{
    app::guarded([this] { m_logic->Edit1Change(); });
}

void TForm1::buttonckClick()
{
    app::guarded([this] { m_logic->buttonClick(character::Control::buttonck); });
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

void TForm1::dropEvent(QDropEvent* event)
{
    // Only the first dropped file is used; the path is taken whole.
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            dropFile(url.toLocalFile().toStdString());
            return;
        }
    }
}

void TForm1::createMenu()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName("MainMenu1");
    N1 = MainMenu1->addMenu("設定");
    N1->setObjectName("N1");
    autocgload = N1->addAction("自動ＣＧ再読込み");
    autocgload->setObjectName("autocgload");
    autocgload->setCheckable(true);
}

void TForm1::createControls(QWidget* client)
{
    QWidget* tabChain[32] = {};
    for (const app::ControlDesign& d : app::kControls) {
        QWidget* w = nullptr;
        const QString caption = QString::fromUtf8(d.caption);
        switch (d.kind) {
        case app::ControlKind::Label: {
            auto* label = new QLabel(caption, client);
            // A character name is text, never markup.
            label->setTextFormat(Qt::PlainText);
            w = label;
            break;
        }
        case app::ControlKind::Button:
            w = new QPushButton(caption, client);
            break;
        case app::ControlKind::Edit: {
            auto* edit = new QLineEdit(caption, client);
            if (QString(d.name) == "Edit1")
                edit->setValidator(new TypedLengthValidator(3, edit));
            w = edit;
            break;
        }
        case app::ControlKind::CheckBox:
            w = new QCheckBox(caption, client);
            break;
        case app::ControlKind::Display:
            w = new app::DXDrawWidget(client);
            break;
        }
        w->setObjectName(d.name);
        w->setGeometry(d.left, d.top, d.width, d.height);
        w->setEnabled(d.enabled);
        if (d.fontPixels != app::kFontPixels)
            w->setFont(app::windowFont(d.fontPixels));
        // Labels size themselves to their caption, from their top-left corner.
        if (d.kind == app::ControlKind::Label)
            static_cast<QLabel*>(w)->adjustSize();
        if (d.tabOrder >= 0)
            tabChain[d.tabOrder] = w;
        else
            w->setFocusPolicy(Qt::NoFocus);
    }
    for (int i = 0; i + 1 < 32 && tabChain[i + 1]; ++i)
        QWidget::setTabOrder(tabChain[i], tabChain[i + 1]);

    auto find = [client]<typename T>(T*& member, const char* name) {
        member = client->findChild<T*>(name, Qt::FindDirectChildrenOnly);
    };
    find(Label1, "Label1");
    find(Label2, "Label2");
    find(Label3, "Label3");
    find(Button1, "Button1");
    find(Button2, "Button2");
    find(Button3, "Button3");
    find(Button4, "Button4");
    find(Button5, "Button5");
    find(Button6, "Button6");
    find(Button7, "Button7");
    find(Button8, "Button8");
    find(Button9, "Button9");
    find(Button10, "Button10");
    find(Button11, "Button11");
    find(Button12, "Button12");
    find(Button14, "Button14");
    find(Edit1, "Edit1");
    find(Edit2, "Edit2");
    find(buttonck, "buttonck");
    find(CheckBox1, "CheckBox1");
    find(CheckBox2, "CheckBox2");
    find(reload, "reload");
    find(clipper, "clipper");
    find(CGreload, "CGreload");
    DXDraw1 = client->findChild<app::DXDrawWidget*>("DXDraw1", Qt::FindDirectChildrenOnly);
}
