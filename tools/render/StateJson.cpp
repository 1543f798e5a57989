#include "render/StateJson.h"

#include "closeup/CloseupState.h"
#include "playback/HeadlessForm.h"
#include "playback/StateJson.h"

namespace render {

namespace {

using playback::OrderedJson;

OrderedJson tableJson(const character::FrameTable& table)
{
    OrderedJson rows = OrderedJson::array();
    for (const character::FrameRow& row : table)
        rows.push_back(OrderedJson(row));
    return rows;
}

} // namespace

std::string stateJson(const playback::HeadlessForm& form, const playback::FormLogic& logic,
    const closeup::CloseupSettings& closeup)
{
    OrderedJson json = playback::stateObject(form, logic, form.clipboard());
    closeup::addCloseupState(json, closeup.onion);
    return playback::jsonLine(json);
}

std::string tablesJson(const character::CharacterTables& tables)
{
    OrderedJson patterns = OrderedJson::array();
    for (const character::PatternEntry& entry : tables.patterns) {
        patterns.push_back({ entry.rect.Left, entry.rect.Top, entry.rect.Right, entry.rect.Bottom, entry.left,
            entry.top, entry.width, entry.height });
    }
    OrderedJson json = OrderedJson::object();
    json["patterns"] = std::move(patterns);
    json["base"] = tableJson(tables.base);
    json["layer"] = tableJson(tables.layer);
    json["placement"] = tableJson(tables.placement);
    json["layered"] = tables.layered;
    return playback::jsonLine(json);
}

} // namespace render
