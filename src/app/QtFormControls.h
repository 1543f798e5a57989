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

private:
    QObject* find(form::Control control) const;
    TForm1& m_form;
};

} // namespace app
