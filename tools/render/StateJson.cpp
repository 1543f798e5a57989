#include "render/StateJson.h"

#include "display/DXDraws.h"
#include "playback/FormLogic.h"
#include "playback/HeadlessForm.h"

#include <nlohmann/json.hpp>

namespace render {

namespace {

using form::Control;
// Members stay in the order they are added, so a run prints the same bytes
// every time.
using Json = nlohmann::ordered_json;

// One line; bytes that are no valid UTF-8 (a Shift-JIS sheet path, a typed
// pattern) become U+FFFD, so the line is valid JSON whatever the input.
std::string line(const Json& json)
{
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Json sheetJson(TDirectDrawSurface* sheet)
{
    const bool holdsImage
        = sheet != nullptr && sheet->SurfaceInterface() && sheet->Width() > 0 && sheet->Height() > 0;
    Json json = Json::object();
    json["width"] = holdsImage ? sheet->Width() : 0;
    json["height"] = holdsImage ? sheet->Height() : 0;
    json["transparent"] = holdsImage ? Json(sheet->SurfaceInterface()->sourceKey()) : Json(nullptr);
    return json;
}

Json tableJson(const character::FrameTable& table)
{
    Json rows = Json::array();
    for (const character::FrameRow& row : table)
        rows.push_back(Json(row));
    return rows;
}

} // namespace

std::string stateJson(const playback::HeadlessForm& form, const playback::FormLogic& logic)
{
    const character::CharacterState& state = logic.state();
    const playback::Player& player = logic.player();
    Json json = Json::object();
    for (const Control text : { Control::Label1, Control::Label2 })
        json[std::string(form::controlName(text))] = form.caption(text);
    for (const Control text : { Control::Edit1, Control::Edit2 })
        json[std::string(form::controlName(text))] = form.text(text);
    for (const Control box : { Control::CheckBox1, Control::CheckBox2, Control::autocgload })
        json[std::string(form::controlName(box))] = form.isChecked(box);
    Json enabled = Json::array();
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
    json["clipboard"] = form.clipboard();
    json["paused"] = player.paused();
    json["autodefload"] = form.isChecked(Control::autodefload);
    return line(json);
}

std::string tablesJson(const character::CharacterTables& tables)
{
    Json patterns = Json::array();
    for (const character::PatternEntry& entry : tables.patterns) {
        patterns.push_back({ entry.rect.Left, entry.rect.Top, entry.rect.Right, entry.rect.Bottom, entry.left,
            entry.top, entry.width, entry.height });
    }
    Json json = Json::object();
    json["patterns"] = std::move(patterns);
    json["base"] = tableJson(tables.base);
    json["layer"] = tableJson(tables.layer);
    json["placement"] = tableJson(tables.placement);
    json["layered"] = tables.layered;
    return line(json);
}

} // namespace render
