#pragma once

// An edit box whose length limit counts typed characters only, as the
// platform's edit box does: the program may set longer texts, and the user
// may always delete from them, but a key that would leave more than the
// limit is refused and a paste keeps what typing it would have kept. A Qt
// maximum length would cut the program's texts, so the limit is kept by a
// validator that acts only while the box handles the user's input.

#include <QLineEdit>

namespace app {

class TypedLineEdit : public QLineEdit {
    Q_OBJECT

public:
    TypedLineEdit(const QString& text, int limit, QWidget* parent);

protected:
    bool event(QEvent* event) override;

private:
    class Limit;
    int m_userInput = 0;
};

} // namespace app
