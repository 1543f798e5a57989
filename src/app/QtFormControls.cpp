#include "app/QtFormControls.h"

#include "app/Unit1.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace app {

namespace {
QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A control is a widget or a menu item, and both answer the same calls;
// anything else (no such control) does nothing and answers false.
template <class Widget, class Call> auto onControl(QObject* o, Call call)
{
    if (auto* widget = qobject_cast<Widget*>(o))
        return call(widget);
    if (auto* action = qobject_cast<QAction*>(o))
        return call(action);
    return decltype(call(static_cast<QAction*>(nullptr)))();
}
} // namespace

QObject* QtFormControls::find(form::Control control) const
{
    const std::string_view name = form::controlName(control);
    return m_form.findChild<QObject*>(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
}

void QtFormControls::setCaption(form::Control control, std::string_view text)
{
    QObject* o = find(control);
    if (auto* label = qobject_cast<QLabel*>(o)) {
        label->setText(fromUtf8(text));
        // Labels size themselves to their caption, as the window's do.
        label->adjustSize();
    } else if (auto* button = qobject_cast<QAbstractButton*>(o)) {
        button->setText(fromUtf8(text));
    } else if (auto* action = qobject_cast<QAction*>(o)) {
        action->setText(fromUtf8(text));
    }
}

std::string QtFormControls::caption(form::Control control) const
{
    QObject* o = find(control);
    if (auto* label = qobject_cast<QLabel*>(o))
        return label->text().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(o))
        return button->text().toStdString();
    if (auto* action = qobject_cast<QAction*>(o))
        return action->text().toStdString();
    return {};
}

void QtFormControls::setText(form::Control control, std::string_view text)
{
    // QLineEdit reports a changed text through textChanged, which runs the
    // box's change handling; an unchanged text reports nothing.
    if (auto* edit = qobject_cast<QLineEdit*>(find(control)))
        edit->setText(fromUtf8(text));
}

std::string QtFormControls::text(form::Control control) const
{
    if (auto* edit = qobject_cast<QLineEdit*>(find(control)))
        return edit->text().toStdString();
    return {};
}

void QtFormControls::setEnabled(form::Control control, bool enabled)
{
    onControl<QWidget>(find(control), [&](auto* c) { c->setEnabled(enabled); });
}

bool QtFormControls::isEnabled(form::Control control) const
{
    return onControl<QWidget>(find(control), [](auto* c) { return c->isEnabled(); });
}

void QtFormControls::setChecked(form::Control control, bool checked)
{
    onControl<QAbstractButton>(find(control), [&](auto* c) { c->setChecked(checked); });
}

bool QtFormControls::isChecked(form::Control control) const
{
    return onControl<QAbstractButton>(find(control), [](auto* c) { return c->isChecked(); });
}

void QtFormControls::copyPatternBoxToClipboard()
{
    QLineEdit* edit = m_form.Edit2;
    edit->selectAll();
    m_copied = edit->text().toStdString();
    QApplication::clipboard()->setText(edit->text());
}

} // namespace app
