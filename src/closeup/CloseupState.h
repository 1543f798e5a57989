#pragma once

// The zoom window's part of the state line, after the main window's own
// keys: the driver and the running window both print it, so a state asked
// of either reads the same.

#include "closeup/OnionSkin.h"
#include "playback/StateJson.h"

namespace closeup {

inline void addCloseupState(playback::OrderedJson& state, const OnionSettings& onion)
{
    state["onion"] = { onion.before, onion.after };
    state["nobackground"] = onion.noBackground;
}

} // namespace closeup
