#include "playback/HeadlessForm.h"

namespace playback {

using form::Control;

HeadlessForm::HeadlessForm(const form::FormDesign& design)
{
    for (int i = 0; i < form::kControlCount; ++i) {
        const auto control = static_cast<Control>(i);
        at(control).caption = std::string(form::designCaption(control, design));
        at(control).enabled = form::enabledAtStart(control, design);
    }
}

void HeadlessForm::setCaption(Control control, std::string_view text)
{
    at(control).caption = std::string(text);
}

std::string HeadlessForm::caption(Control control) const
{
    return at(control).caption;
}

void HeadlessForm::setText(Control control, std::string_view text)
{
    State& state = at(control);
    if (state.caption == text)
        return;
    state.caption = std::string(text);
    if (control == Control::Edit2)
        m_patternBoxSelected = false;
    if (onTextChanged)
        onTextChanged(control);
}

std::string HeadlessForm::text(Control control) const
{
    return at(control).caption;
}

void HeadlessForm::setEnabled(Control control, bool enabled)
{
    at(control).enabled = enabled;
}

bool HeadlessForm::isEnabled(Control control) const
{
    return at(control).enabled;
}

void HeadlessForm::setChecked(Control control, bool checked)
{
    at(control).checked = checked;
}

bool HeadlessForm::isChecked(Control control) const
{
    return at(control).checked;
}

void HeadlessForm::copyPatternBoxToClipboard()
{
    m_patternBoxSelected = true;
    m_clipboard = text(Control::Edit2);
}

} // namespace playback
