#pragma once

// The animation buttons and the pattern-check button: what each plays and
// the label text it sets. The label texts are not always the captions.

#include "form/FormControls.h"

#include <cstdint>
#include <string_view>

namespace playback {

enum class ButtonKind { plain, oneShot, patternCheck };

struct ButtonAction {
    form::Control button;
    std::int32_t animation;
    std::string_view label;
    ButtonKind kind;
};

// The action of an animation button or of buttonck; null for other controls.
const ButtonAction* buttonAction(form::Control button);

} // namespace playback
