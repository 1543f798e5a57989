#include "closeup/FrameReadout.h"

#include "closeup/PatternNumbers.h"
#include "form/Buttons.h"
#include "form/FormControls.h"

namespace closeup {

using character::CharacterTables;

namespace {

// The caption of the button whose press plays the animation; several
// animations have none.
std::string buttonCaption(std::int32_t animation)
{
    for (const form::Control button : form::kButtonsInCreationOrder) {
        const form::ButtonAction* action = form::buttonAction(button);
        if (action != nullptr && action->animation == animation)
            return std::string(form::designCaption(button));
    }
    return {};
}

} // namespace

FrameReadout frameReadout(
    const character::CharacterState& state, std::int32_t animation, std::int32_t frameIndex)
{
    const CharacterTables& tables = state.tables;
    FrameReadout out;
    out.animation = animation;
    out.caption = buttonCaption(animation);
    out.frameIndex = frameIndex;
    out.frameCount = tables.frameCount(animation);
    out.base = CharacterTables::slot(tables.base, animation, frameIndex);
    out.layered
        = character::isAnimationNumber(animation) && tables.layered[static_cast<std::size_t>(animation)];
    if (out.layered) {
        out.layer = CharacterTables::slot(tables.layer, animation, frameIndex);
        out.placement = CharacterTables::slot(tables.placement, animation, frameIndex);
    }
    return out;
}

std::string readoutText(const FrameReadout& r)
{
    // Full-width blanks part the fields, as the window's own texts would.
    std::string text = "アニメ " + std::to_string(r.animation);
    if (!r.caption.empty())
        text += " " + r.caption;
    text += "　コマ " + std::to_string(r.frameIndex) + "/" + std::to_string(r.frameCount);
    text += "　ベース " + listPair(r.base);
    if (r.layered)
        text += "　レイヤー " + listPair(r.layer) + "　配置 " + listPair(r.placement);
    return text;
}

} // namespace closeup
