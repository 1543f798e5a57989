#pragma once

// The window's controls as the load procedure, the commands and the player
// see them: captions, texts, enabled states and check marks of the Qt
// widgets, by the controls' fixed names.

#include "form/FormControls.h"

class QObject;
class TForm1;

namespace app {

class QtFormControls : public form::FormControls {
public:
    explicit QtFormControls(TForm1& form)
        : m_form(form)
    {
    }

    void setCaption(form::Control control, std::string_view text) override;
    std::string caption(form::Control control) const override;
    void setText(form::Control control, std::string_view text) override;
    std::string text(form::Control control) const override;
    void setEnabled(form::Control control, bool enabled) override;
    bool isEnabled(form::Control control) const override;
    void setChecked(form::Control control, bool checked) override;
    bool isChecked(form::Control control) const override;
    void copyPatternBoxToClipboard() override;

    // What ｸﾘｯﾌﾟﾎﾞｰﾄﾞへ last put on the clipboard, as the state line tells
    // it; another program may own the clipboard by now.
    const std::string& clipboard() const { return m_copied; }

private:
    QObject* find(form::Control control) const;
    TForm1& m_form;
    std::string m_copied;
};

} // namespace app
