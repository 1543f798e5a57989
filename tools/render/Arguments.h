#pragma once

// The command line of nimbrel-render: a list of actions performed in the
// order given. Everything is checked before the first action runs, so a
// usage error never leaves half a run behind.

#include "export/Image.h"
#include "form/FormControls.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace render {

enum class ActionKind {
    drop,
    press,
    toggle,
    speed,
    pattern,
    frames,
    state,
    tables,
    out,
    gif,
    scale,
    report,
    sleep,
    closeup,
    closeupZoom,
    onion,
    closeupToggle,
    frameList,
    // A command of the window's table that has an action of its own
    // (--pause, --step, ...): a press of its control.
    command,
};

struct Action {
    ActionKind kind;
    std::string text; // the path or text of drop, speed, pattern and out
    form::Control control = form::Control::Label1; // press, toggle and command
    std::uint32_t count = 0; // frames, scale, sleep (milliseconds), closeup-zoom
    int before = 0; // onion
    int after = 0;
};

// A strip is kept in memory until the end of the run; this bounds it
// (about 100 MB of pixels).
inline constexpr std::uint64_t kMaxStripFrames = 1024;

// The longest --sleep: a minute is more than any test of a settling file needs.
inline constexpr std::uint32_t kMaxSleepMs = 60000;

// What --toggle changes in the zoom window besides the window's controls.
inline constexpr const char* kNoBackgroundToggle = "nobackground";
inline constexpr const char* kGridToggle = "grid";

struct CommandLine {
    std::vector<Action> actions;
    // What --out and --gif enlarge by: the last --scale given, else 1.
    int scale = 1;
    bool help = false;
    bool version = false;
    // Set when the command line is not usable; the reason, for the user.
    std::optional<std::string> error;
};

// The names of --press and --toggle and the commands' own actions come
// from the window's design.
CommandLine parseCommandLine(
    std::span<const std::string> arguments, const form::FormDesign& design = form::kFormDesign);

std::string usageText(const form::FormDesign& design = form::kFormDesign);

} // namespace render
