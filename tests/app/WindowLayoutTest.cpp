#include "app/FormDesign.h"
#include "app/Unit1.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

QString textOf(QWidget* w)
{
    if (auto* b = qobject_cast<QPushButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* c = qobject_cast<QCheckBox*>(w))
        return c->text();
    return {};
}

} // namespace

TEST(Window, EveryControlHasItsDesignNamePlaceCaptionAndState)
{
    TForm1 form;
    EXPECT_EQ(form.windowTitle(), "Nimbrel");
    ASSERT_NE(form.centralWidget(), nullptr);
    EXPECT_EQ(form.centralWidget()->size(), QSize(226, 337));
    for (const app::ControlDesign& d : app::kControls) {
        auto* w = form.findChild<QWidget*>(d.name);
        ASSERT_NE(w, nullptr) << d.name;
        EXPECT_EQ(w->pos(), QPoint(d.left, d.top)) << d.name;
        if (d.kind != app::ControlKind::Label) {
            EXPECT_EQ(w->size(), QSize(d.width, d.height)) << d.name;
        }
        EXPECT_EQ(w->isEnabled(), d.enabled) << d.name;
        EXPECT_EQ(textOf(w), QString::fromUtf8(d.caption)) << d.name;
    }
    EXPECT_FALSE(form.CheckBox1->isChecked());
    EXPECT_FALSE(form.CheckBox2->isChecked());
}

TEST(Window, TabOrderFollowsTheDesign)
{
    TForm1 form;
    QWidget* w = form.Button1;
    const char* order[] = { "Button1", "Button2", "Button3", "Button4", "Button5", "Button6", "Button7",
        "Button8", "Button9", "Button10", "Button11", "Button12", "Edit1", "Edit2", "buttonck", "CheckBox1",
        "reload", "clipper", "CGreload", "CheckBox2", "Button14" };
    for (const char* name : order) {
        EXPECT_EQ(w->objectName(), name);
        w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus && w != form.Button1)
            w = w->nextInFocusChain();
    }
}

TEST(Window, SettingsMenuHoldsTheCheckableAutomaticReload)
{
    TForm1 form;
    EXPECT_EQ(form.N1->title(), "設定");
    EXPECT_EQ(form.autocgload->text(), "自動ＣＧ再読込み");
    EXPECT_TRUE(form.autocgload->isCheckable());
    EXPECT_FALSE(form.autocgload->isChecked());
}

TEST(Window, SpeedBoxLimitsTypingButNotProgramTexts)
{
    TForm1 form;
    form.Edit1->setText("1000");
    EXPECT_EQ(form.Edit1->text(), "1000");
    form.Edit1->setText("");
    form.Edit1->insert("1234");
    EXPECT_EQ(form.Edit1->text(), "");
    form.Edit1->insert("12");
    form.Edit1->insert("3");
    form.Edit1->insert("4");
    EXPECT_EQ(form.Edit1->text(), "123");
    // A longer text that a load set can still be shortened key by key.
    form.Edit1->setText("12345");
    form.Edit1->end(false);
    form.Edit1->backspace();
    EXPECT_EQ(form.Edit1->text(), "1234");
    form.Edit1->insert("9");
    EXPECT_EQ(form.Edit1->text(), "1234");
}
