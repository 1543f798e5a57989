#pragma once

// The load procedure, the reset that starts it, and the two small rules of
// the window that a load sets off: the speed box's change handling and the
// taking of the sheet's transparent colour.

#include "character/CharacterTables.h"
#include "form/FormControls.h"

#include <string>
#include <string_view>

class TDirectDrawSurface;

namespace character {

inline constexpr const char* kStateCaption = "状態";

// Runs at the start of every load. Leaves the patterns' four values, the
// sheet and its path and age, the playback flag and everything of the window
// but the animation buttons, the speed box and the state label.
void resetProcedure(CharacterState& state, form::FormControls& form);

// Reads the definition file at `path` and applies each of its items to the
// tables and the window before the next line is read. Raises on the first
// failure, leaving what was applied until then. A missing sheet surface
// (the display has made none) loads no picture, but the sheet path and age
// still follow the file so that a later sheet reload finds the right file.
void fileload(
    const std::string& path, CharacterState& state, form::FormControls& form, TDirectDrawSurface* sheet);

// The speed box rule: a text that reads as an integer above 0 becomes the
// frame interval; anything else is ignored without a message.
void speedBoxChange(CharacterState& state, std::string_view text);

// The sheet's colour key becomes its bottom-right pixel's raw value.
void takeTransparentColor(TDirectDrawSurface& sheet);

} // namespace character
