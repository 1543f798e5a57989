#include "render/StateJson.h"

#include "display/DXDraws.h"
#include "playback/FormLogic.h"
#include "playback/HeadlessForm.h"
#include "render/JsonWriter.h"

#include <array>

namespace render {

namespace {

using character::Control;

void writeSheet(JsonWriter& json, TDirectDrawSurface* sheet)
{
    const bool holdsImage
        = sheet != nullptr && sheet->SurfaceInterface() && sheet->Width() > 0 && sheet->Height() > 0;
    json.beginObject();
    json.key("width");
    json.number(holdsImage ? sheet->Width() : 0);
    json.key("height");
    json.number(holdsImage ? sheet->Height() : 0);
    json.key("transparent");
    if (holdsImage)
        json.number(sheet->SurfaceInterface()->sourceKey());
    else
        json.null();
    json.endObject();
}

void writeRow(JsonWriter& json, const character::FrameRow& row)
{
    json.beginArray();
    for (const std::int32_t slot : row)
        json.number(slot);
    json.endArray();
}

void writeTable(JsonWriter& json, const char* name, const character::FrameTable& table)
{
    json.key(name);
    json.beginArray();
    for (const character::FrameRow& row : table)
        writeRow(json, row);
    json.endArray();
}

} // namespace

std::string stateJson(const playback::HeadlessForm& form, const playback::FormLogic& logic)
{
    const character::CharacterState& state = logic.state();
    const playback::Player& player = logic.player();
    JsonWriter json;
    json.beginObject();
    for (const Control text : { Control::Label1, Control::Label2 }) {
        json.key(character::controlName(text));
        json.value(form.caption(text));
    }
    for (const Control text : { Control::Edit1, Control::Edit2 }) {
        json.key(character::controlName(text));
        json.value(form.text(text));
    }
    for (const Control box : { Control::CheckBox1, Control::CheckBox2, Control::autocgload }) {
        json.key(character::controlName(box));
        json.boolean(form.isChecked(box));
    }
    json.key("enabled");
    json.beginArray();
    for (const Control button : character::kButtonsInCreationOrder) {
        if (form.isEnabled(button))
            json.value(character::controlName(button));
    }
    json.endArray();
    json.key("animation");
    json.number(state.currentAnimation);
    json.key("frame");
    json.number(player.frameIndex());
    json.key("return");
    json.number(player.returnAnimation());
    json.key("returnLabel");
    json.value(player.returnLabel());
    json.key("interval");
    json.number(state.frameInterval);
    json.key("playback");
    json.boolean(state.playbackFlag);
    json.key("sheetPath");
    json.value(state.sheetPath);
    json.key("sheetAge");
    json.number(state.sheetFileAge);
    json.key("sheet");
    writeSheet(json, logic.sheetSurface());
    json.key("clipboard");
    json.value(form.clipboard());
    json.key("paused");
    json.boolean(player.paused());
    json.endObject();
    return json.text();
}

std::string tablesJson(const character::CharacterTables& tables)
{
    JsonWriter json;
    json.beginObject();
    json.key("patterns");
    json.beginArray();
    for (const character::PatternEntry& entry : tables.patterns) {
        json.beginArray();
        for (const std::int32_t value : { entry.rect.Left, entry.rect.Top, entry.rect.Right,
                 entry.rect.Bottom, entry.left, entry.top, entry.width, entry.height })
            json.number(value);
        json.endArray();
    }
    json.endArray();
    writeTable(json, "base", tables.base);
    writeTable(json, "layer", tables.layer);
    writeTable(json, "placement", tables.placement);
    json.key("layered");
    json.beginArray();
    for (const bool layered : tables.layered)
        json.boolean(layered);
    json.endArray();
    json.endObject();
    return json.text();
}

} // namespace render
