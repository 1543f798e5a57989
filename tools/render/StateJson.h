#pragma once

// The JSON lines of --state and --tables.

#include "character/CharacterTables.h"
#include "closeup/CloseupPicture.h"

#include <string>

namespace playback {
class FormLogic;
class HeadlessForm;
} // namespace playback

namespace render {

// The window's texts, check marks and enabled buttons, the player state, the
// load values, the sheet surface and the clipboard; after them the zoom
// window's onion skin and background choice.
std::string stateJson(const playback::HeadlessForm& form, const playback::FormLogic& logic,
    const closeup::CloseupSettings& closeup);

// The pattern table and the frame tables, every slot included.
std::string tablesJson(const character::CharacterTables& tables);

} // namespace render
