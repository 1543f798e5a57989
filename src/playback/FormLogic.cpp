#include "playback/FormLogic.h"

#include "character/LoadProcedure.h"
#include "display/DXDraws.h"
#include "form/Buttons.h"

#include <functional>
#include <utility>

namespace playback {

using form::ButtonAction;
using form::ButtonKind;
using form::Control;

FormLogic::FormLogic(form::FormControls& form, PlayerHost& host, const platform::RealClock& clock)
    : m_form(form)
    , m_state(std::make_unique<character::CharacterState>())
    , m_player(*m_state, form, host)
    , m_definitionWatch(clock)
    , m_sheetWatch(clock)
{
    m_player.setAutomaticReload([this] { automaticReload(); });
}

FormLogic::~FormLogic()
{
    DXDraw1FinalizeSurface();
}

void FormLogic::FormCreate()
{
    m_state->playbackFlag = false;
}

void FormLogic::drop(const std::string& path)
{
    m_definitionPath = path;
    // Enabled before the load, so they stay usable when the load fails.
    m_form.setEnabled(Control::reload, true);
    m_form.setEnabled(Control::CGreload, true);
    m_form.setEnabled(Control::buttonck, true);
    fileload(path);
}

void FormLogic::fileload(const std::string& path)
{
    // Stamped before the read, so that a save during the load is seen after it.
    m_definitionStamp = platform::fileStamp(path);
    observedLoad([&] { character::fileload(path, *m_state, m_form, m_sheet); });
}

void FormLogic::reloadClick()
{
    fileload(m_definitionPath);
}

void FormLogic::CGreloadClick()
{
    sheetReload(platform::fileStamp(m_state->sheetPath));
}

void FormLogic::autocgloadClick()
{
    m_form.setChecked(Control::autocgload, !m_form.isChecked(Control::autocgload));
}

void FormLogic::autodefloadClick()
{
    m_form.setChecked(Control::autodefload, !m_form.isChecked(Control::autodefload));
}

void FormLogic::clipperClick()
{
    m_form.copyPatternBoxToClipboard();
}

void FormLogic::Edit1Change()
{
    character::speedBoxChange(*m_state, m_form.text(Control::Edit1));
}

void FormLogic::buttonClick(Control button)
{
    const ButtonAction* action = buttonAction(button);
    if (action == nullptr)
        return;
    switch (action->kind) {
    case ButtonKind::plain:
        m_player.selectAnimation(action->animation, action->label);
        break;
    case ButtonKind::oneShot:
        m_player.startOneShot(action->animation, action->label);
        break;
    case ButtonKind::patternCheck:
        m_player.startPatternCheck();
        break;
    }
}

void FormLogic::press(Control control)
{
    // The controls with a command of their own; the others are animation
    // buttons or have none.
    using Command = void (FormLogic::*)();
    static constexpr std::pair<Control, Command> kCommands[] = {
        { Control::reload, &FormLogic::reloadClick },
        { Control::CGreload, &FormLogic::CGreloadClick },
        { Control::clipper, &FormLogic::clipperClick },
        { Control::autocgload, &FormLogic::autocgloadClick },
        { Control::autodefload, &FormLogic::autodefloadClick },
        { Control::pauseplay, &FormLogic::pauseplayClick },
        { Control::stepnext, &FormLogic::stepnextClick },
        { Control::stepback, &FormLogic::stepbackClick },
        { Control::restart, &FormLogic::restartClick },
    };
    if (!m_form.isEnabled(control))
        return;
    for (const auto& [owner, command] : kCommands) {
        if (owner == control) {
            (this->*command)();
            return;
        }
    }
    buttonClick(control);
}

template <typename Command> void FormLogic::playerCommand(Command command)
{
    // Steps pause a playing animation; the pause item's mark follows the
    // player, whether or not the step could draw.
    try {
        std::invoke(command, m_player);
    } catch (...) {
        m_form.setChecked(Control::pauseplay, m_player.paused());
        throw;
    }
    m_form.setChecked(Control::pauseplay, m_player.paused());
}

void FormLogic::pauseplayClick()
{
    playerCommand(&Player::togglePause);
}

void FormLogic::stepnextClick()
{
    playerCommand(&Player::stepForward);
}

void FormLogic::stepbackClick()
{
    playerCommand(&Player::stepBack);
}

void FormLogic::restartClick()
{
    playerCommand(&Player::restart);
}

void FormLogic::stepToFrame(std::int32_t index)
{
    playerCommand([index](Player& player) { player.stepTo(index); });
}

void FormLogic::DXDraw1InitializeSurface(TDirectDraw& directDraw)
{
    DXDraw1FinalizeSurface();
    m_sheet = new TDirectDrawSurface(&directDraw);
    m_player.setSheetSurface(m_sheet);
}

void FormLogic::DXDraw1FinalizeSurface()
{
    m_player.setSheetSurface(nullptr);
    delete m_sheet;
    m_sheet = nullptr;
}

} // namespace playback
