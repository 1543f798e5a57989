#include "app/TypedLineEdit.h"

#include "form/TypedEdit.h"

#include <QEvent>
#include <QValidator>

namespace app {

namespace {

// Everything through which the user, not the program, changes the text:
// keys (typing, deleting, paste and undo shortcuts), input methods, the
// middle-button paste, the context menu's commands and drops.
bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::InputMethod:
    case QEvent::MouseButtonRelease:
    case QEvent::ContextMenu:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

// Never answers Invalid: Qt takes back a refused edit only while the text
// before it was valid, so a long text the program set would switch the
// refusal off. The validator hands back the text to keep instead.
class TypedLineEdit::Limit : public QValidator {
public:
    Limit(TypedLineEdit& edit, int limit)
        : QValidator(&edit)
        , m_edit(edit)
        , m_limit(static_cast<std::size_t>(limit))
        , m_before(edit.text())
    {
        connect(&edit, &QLineEdit::textChanged, this, [this](const QString& text) { m_before = text; });
    }

    State validate(QString& input, int& pos) const override
    {
        if (m_edit.m_userInput == 0)
            return Acceptable;
        const auto cursor = static_cast<std::size_t>(QStringView(input).first(pos).toUcs4().size());
        const form::TypedEdit kept
            = form::limitTypedEdit(m_before.toStdU32String(), input.toStdU32String(), cursor, m_limit);
        input = QString::fromStdU32String(kept.text);
        pos = static_cast<int>(QString::fromStdU32String(kept.text.substr(0, kept.cursor)).size());
        return Acceptable;
    }

private:
    TypedLineEdit& m_edit;
    std::size_t m_limit;
    QString m_before;
};

TypedLineEdit::TypedLineEdit(const QString& text, int limit, QWidget* parent)
    : QLineEdit(text, parent)
{
    setValidator(new Limit(*this, limit));
}

bool TypedLineEdit::event(QEvent* event)
{
    const bool user = isUserInput(event->type());
    m_userInput += user ? 1 : 0;
    const bool handled = QLineEdit::event(event);
    m_userInput -= user ? 1 : 0;
    return handled;
}

} // namespace app
