#include "app/Unit1.h"

#include "app/FormDesign.h"
#include "app/WindowLook.h"

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
// than three characters.
class TypedLengthValidator : public QValidator {
public:
    TypedLengthValidator(int limit, QObject* parent) : QValidator(parent), m_limit(limit) {}
    State validate(QString& input, int&) const override
    {
        return input.size() <= m_limit ? Acceptable : Invalid;
    }

private:
    int m_limit;
};

} // namespace

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                              | Qt::MSWindowsFixedSizeDialogHint)
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
    setFixedSize(app::kClientWidth, app::kClientHeight + menuBar()->sizeHint().height());
}

TForm1::~TForm1() = default;

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
        case app::ControlKind::Label:
            w = new QLabel(caption, client);
            break;
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
            w = app::createDisplayWidget(client);
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
    find(DXDraw1, "DXDraw1");
}
