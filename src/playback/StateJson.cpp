#include "playback/StateJson.h"

#include "display/DXDraws.h"
#include "playback/FormLogic.h"

namespace playback {

namespace {

using form::Control;

OrderedJson sheetJson(TDirectDrawSurface* sheet)
{
    const bool holdsImage
        = sheet != nullptr && sheet->SurfaceInterface() && sheet->Width() > 0 && sheet->Height() > 0;
    OrderedJson json = OrderedJson::object();
    json["width"] = holdsImage ? sheet->Width() : 0;
    json["height"] = holdsImage ? sheet->Height() : 0;
    json["transparent"]
        = holdsImage ? OrderedJson(sheet->SurfaceInterface()->sourceKey()) : OrderedJson(nullptr);
    return json;
}

} // namespace

std::string jsonLine(const OrderedJson& json)
{
    return json.dump(-1, ' ', false, OrderedJson::error_handler_t::replace);
}

OrderedJson stateObject(const form::FormControls& form, const FormLogic& logic, const std::string& clipboard)
{
    const character::CharacterState& state = logic.state();
    const Player& player = logic.player();
    OrderedJson json = OrderedJson::object();
    for (const Control text : { Control::Label1, Control::Label2 })
        json[std::string(form::controlName(text))] = form.caption(text);
    for (const Control text : { Control::Edit1, Control::Edit2 })
        json[std::string(form::controlName(text))] = form.text(text);
    for (const Control box : { Control::CheckBox1, Control::CheckBox2, Control::autocgload })
        json[std::string(form::controlName(box))] = form.isChecked(box);
    OrderedJson enabled = OrderedJson::array();
    for (const Control button : form::kButtonsInCreationOrder) {
        if (form.isEnabled(button))
            enabled.push_back(std::string(form::controlName(button)));
    }
    json["enabled"] = std::move(enabled);
    json["animation"] = state.currentAnimation;
    json["frame"] = player.frameIndex();
    json["return"] = player.returnAnimation();
    json["returnLabel"] = player.returnLabel();
    json["interval"] = state.frameInterval;
    json["playback"] = state.playbackFlag;
    json["sheetPath"] = state.sheetPath;
    json["sheetAge"] = state.sheetFileAge;
    json["sheet"] = sheetJson(logic.sheetSurface());
    json["clipboard"] = clipboard;
    json["paused"] = player.paused();
    json["autodefload"] = form.isChecked(Control::autodefload);
    return json;
}

} // namespace playback
