#include "form/Buttons.h"

#include <array>

namespace form {

namespace {

constexpr std::array<ButtonAction, 14> kActions { {
    { Control::Button1, 1, "通常１", ButtonKind::plain },
    { Control::Button2, 2, "通常2", ButtonKind::plain },
    { Control::Button14, 3, "おじゃま", ButtonKind::plain },
    { Control::Button5, 5, "立ち", ButtonKind::plain },
    { Control::Button3, 15, "勝ち", ButtonKind::plain },
    { Control::Button4, 16, "負け", ButtonKind::plain },
    { Control::Button12, 4, "ミス", ButtonKind::oneShot },
    { Control::Button6, 6, "喜び１", ButtonKind::oneShot },
    { Control::Button7, 7, "喜び２", ButtonKind::oneShot },
    { Control::Button8, 8, "喜び３", ButtonKind::oneShot },
    { Control::Button9, 10, "ダメージ１", ButtonKind::oneShot },
    { Control::Button10, 11, "ダメージ２", ButtonKind::oneShot },
    { Control::Button11, 12, "ダメージ３", ButtonKind::oneShot },
    { Control::buttonck, 30, "ﾁｪｯｸﾊﾟﾀｰﾝ", ButtonKind::patternCheck },
} };

} // namespace

const ButtonAction* buttonAction(Control button)
{
    for (const ButtonAction& action : kActions) {
        if (action.button == button)
            return &action;
    }
    return nullptr;
}

std::optional<Control> animationButton(int animation)
{
    // Animation 9 has no button of its own; its lists enable Button1.
    if (animation == 9)
        return Control::Button1;
    for (const ButtonAction& action : kActions) {
        if (action.animation == animation && action.kind != ButtonKind::patternCheck)
            return action.button;
    }
    return std::nullopt;
}

} // namespace form
