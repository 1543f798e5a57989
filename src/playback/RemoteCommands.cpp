#include "playback/RemoteCommands.h"

#include "form/Buttons.h"
#include "playback/FormLogic.h"

namespace playback {

using form::Control;

namespace {

std::string quoted(std::string_view name)
{
    return "'" + std::string(name) + "'";
}

bool isCheckBox(Control control)
{
    const form::Row* row = form::kFormDesign.find(control);
    return row != nullptr && row->kind == form::ControlKind::CheckBox;
}

// What the headless driver can press or toggle: labels, edit boxes and the
// view have nothing to press, and the items that open a window of their own
// need the window.
bool isPressable(Control control)
{
    const form::Row* row = form::kFormDesign.find(control);
    return row != nullptr && row->driver.reach != form::Reach::none;
}

} // namespace

std::optional<Control> buttonPlaying(std::int32_t animation)
{
    for (const Control button : form::kAnimationButtons) {
        const form::ButtonAction* action = form::buttonAction(button);
        if (action != nullptr && action->animation == animation)
            return button;
    }
    return std::nullopt;
}

RemoteCommands::RemoteCommands(form::FormControls& form, FormLogic& logic)
    : m_form(form)
    , m_logic(logic)
{
}

void RemoteCommands::open(const std::string& path)
{
    m_logic.drop(path);
}

void RemoteCommands::requireEnabled(Control control) const
{
    if (!m_form.isEnabled(control)) {
        throw ERemoteRefusal(
            std::string(form::controlName(control)) + " (" + m_form.caption(control) + ") は今は使えません");
    }
}

void RemoteCommands::press(std::string_view name)
{
    const std::optional<Control> control = form::controlByName(name);
    if (!control)
        throw ERemoteRefusal(quoted(name) + " という名前のボタンやメニュー項目はありません");
    if (!isPressable(*control))
        throw ERemoteRefusal(quoted(name) + " は押せるボタンやメニュー項目ではありません");
    requireEnabled(*control);
    // A check box flips its own mark and has no handler; the menu items'
    // handlers flip theirs.
    if (isCheckBox(*control))
        m_form.setChecked(*control, !m_form.isChecked(*control));
    else
        m_logic.press(*control);
}

void RemoteCommands::play(std::int32_t animation)
{
    const std::optional<Control> button = buttonPlaying(animation);
    if (!button)
        throw ERemoteRefusal("アニメーション " + std::to_string(animation) + " を再生するボタンはありません");
    requireEnabled(*button);
    m_logic.press(*button);
}

void RemoteCommands::pattern(std::string_view text)
{
    requireEnabled(Control::buttonck);
    m_form.setText(Control::Edit2, text);
    m_logic.press(Control::buttonck);
}

} // namespace playback
