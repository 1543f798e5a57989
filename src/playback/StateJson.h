#pragma once

// The state line that the headless driver prints for --state and that the
// window answers to a state request from outside: the window's texts, check
// marks and enabled buttons, the player state, the load values, the sheet
// surface and the clipboard. Members keep the order in which they are added,
// so a run prints the same bytes every time; keys are only ever appended.

#include "form/FormControls.h"

#include <nlohmann/json.hpp>

#include <string>

namespace playback {

class FormLogic;

using OrderedJson = nlohmann::ordered_json;

// `clipboard`: the text last put on the clipboard by ｸﾘｯﾌﾟﾎﾞｰﾄﾞへ.
OrderedJson stateObject(const form::FormControls& form, const FormLogic& logic, const std::string& clipboard);

// One line; bytes that are no valid UTF-8 (a Shift-JIS sheet path, a typed
// pattern) become U+FFFD, so the line is valid JSON whatever the input.
std::string jsonLine(const OrderedJson& json);

} // namespace playback
