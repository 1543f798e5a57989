#pragma once

// What a program outside the window (the editor, a script, a second start
// of the viewer) may ask of it: open a file as a drop does, press a control
// by its design name, play an animation, play a pattern string. A request
// that names nothing the window can do is refused with its own exception
// and a message that says what was asked; nothing of the window changes
// then. Load errors are raised as the drop raises them.

#include "form/FormControls.h"
#include "platform/Exception.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace playback {

class FormLogic;

// A request refused before anything was done.
class ERemoteRefusal : public Exception {
    using Exception::Exception;
};

// The animation button that plays `animation`; none for an animation that
// no button plays (animation 9 is only drawn by Button1's list, 30 is the
// pattern check's).
std::optional<form::Control> buttonPlaying(std::int32_t animation);

class RemoteCommands {
public:
    RemoteCommands(form::FormControls& form, FormLogic& logic);

    void open(const std::string& path);
    // Buttons and menu items are pressed, check boxes toggled, as the
    // headless driver's --press and --toggle do.
    void press(std::string_view name);
    void play(std::int32_t animation);
    // Types the text into the pattern box and presses ﾊﾟﾀｰﾝﾁｪｯｸ.
    void pattern(std::string_view text);

private:
    // Refuses a control that cannot be used now, naming it and its caption.
    void requireEnabled(form::Control control) const;

    form::FormControls& m_form;
    FormLogic& m_logic;
};

} // namespace playback
