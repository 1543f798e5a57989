#pragma once

// The animation buttons and the pattern-check button: what each plays and
// the label text it sets, the one table of buttons and animations. The
// label texts are not always the captions.

#include "form/FormDesign.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace form {

enum class ButtonKind { plain, oneShot, patternCheck };

struct ButtonAction {
    Control button;
    std::int32_t animation;
    std::string_view label;
    ButtonKind kind;
};

// The action of an animation button or of buttonck; null for other controls.
const ButtonAction* buttonAction(Control button);

// The button that a base list or layer line of an animation enables; none for
// animations without a button. Animation 9 shares Button1.
std::optional<Control> animationButton(int animation);

} // namespace form
