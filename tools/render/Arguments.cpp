#include "render/Arguments.h"

#include "closeup/CloseupPicture.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <string_view>

namespace render {

namespace {

using character::Control;

constexpr std::array kToggleable { Control::CheckBox1, Control::CheckBox2, Control::autocgload,
    Control::autodefload };

struct Verb {
    std::string_view name;
    ActionKind kind;
    bool takesArgument;
};

constexpr std::array<Verb, 21> kVerbs { {
    { "--drop", ActionKind::drop, true },
    { "--press", ActionKind::press, true },
    { "--toggle", ActionKind::toggle, true },
    { "--speed", ActionKind::speed, true },
    { "--pattern", ActionKind::pattern, true },
    { "--frames", ActionKind::frames, true },
    { "--state", ActionKind::state, false },
    { "--tables", ActionKind::tables, false },
    { "--out", ActionKind::out, true },
    { "--gif", ActionKind::gif, true },
    { "--scale", ActionKind::scale, true },
    { "--report", ActionKind::report, true },
    { "--pause", ActionKind::pause, false },
    { "--step", ActionKind::step, false },
    { "--step-back", ActionKind::stepBack, false },
    { "--restart", ActionKind::restart, false },
    { "--sleep", ActionKind::sleep, true },
    { "--closeup", ActionKind::closeup, true },
    { "--closeup-zoom", ActionKind::closeupZoom, true },
    { "--onion", ActionKind::onion, true },
    { "--frame-list", ActionKind::frameList, true },
} };

template <std::size_t N>
std::optional<Control> controlAmong(std::string_view name, const std::array<Control, N>& allowed)
{
    const std::optional<Control> control = character::controlByName(name);
    if (control && std::find(allowed.begin(), allowed.end(), *control) != allowed.end())
        return control;
    return std::nullopt;
}

// A frame count is plain decimal digits, nothing else.
std::optional<std::uint32_t> frameCount(std::string_view text)
{
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()
        || value > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return value;
}

// "B,A": frames before and after, each a single digit from 0 to the most.
bool onionCounts(std::string_view text, Action& action)
{
    const auto digit = [](char c) { return c >= '0' && c <= '0' + closeup::kMaxOnionFrames; };
    if (text.size() != 3 || !digit(text[0]) || text[1] != ',' || !digit(text[2]))
        return false;
    action.before = text[0] - '0';
    action.after = text[2] - '0';
    return true;
}

// Fills in the action's argument; the reason when it is not usable.
std::optional<std::string> takeArgument(Action& action, std::string_view verb, const std::string& argument)
{
    action.text = argument;
    switch (action.kind) {
    case ActionKind::press:
        if (const auto control = controlAmong(argument, character::kButtonsInCreationOrder)) {
            action.control = *control;
            return std::nullopt;
        }
        return "no button named '" + argument + "' can be pressed";
    case ActionKind::toggle:
        if (const auto control = controlAmong(argument, kToggleable)) {
            action.control = *control;
            return std::nullopt;
        }
        if (argument == kNoBackgroundToggle || argument == kGridToggle) {
            action.kind = ActionKind::closeupToggle;
            return std::nullopt;
        }
        return "nothing named '" + argument + "' can be toggled";
    case ActionKind::frames:
        if (const auto count = frameCount(argument)) {
            action.count = *count;
            return std::nullopt;
        }
        return std::string(verb) + " needs a number of frames from 0 to 2147483647, not '" + argument + "'";
    case ActionKind::scale:
        if (const auto factor = frameCount(argument);
            factor && *factor >= 1 && *factor <= static_cast<std::uint32_t>(exporter::kMaxScale)) {
            action.count = *factor;
            return std::nullopt;
        }
        return std::string(verb) + " needs a whole factor from 1 to " + std::to_string(exporter::kMaxScale)
            + ", not '" + argument + "'";
    case ActionKind::closeupZoom:
        if (const auto zoom = frameCount(argument); zoom
            && *zoom >= static_cast<std::uint32_t>(closeup::kMinZoom)
            && *zoom <= static_cast<std::uint32_t>(closeup::kMaxZoom)) {
            action.count = *zoom;
            return std::nullopt;
        }
        return std::string(verb) + " needs a whole factor from " + std::to_string(closeup::kMinZoom) + " to "
            + std::to_string(closeup::kMaxZoom) + ", not '" + argument + "'";
    case ActionKind::onion:
        if (onionCounts(argument, action))
            return std::nullopt;
        return std::string(verb) + " needs the frames before and after as B,A, each from 0 to "
            + std::to_string(closeup::kMaxOnionFrames) + ", not '" + argument + "'";
    case ActionKind::sleep:
        if (const auto ms = frameCount(argument); ms && *ms <= kMaxSleepMs) {
            action.count = *ms;
            return std::nullopt;
        }
        return std::string(verb) + " needs a number of milliseconds from 0 to " + std::to_string(kMaxSleepMs)
            + ", not '" + argument + "'";
    default:
        return std::nullopt;
    }
}

std::optional<std::string> checkStripSize(const std::vector<Action>& actions)
{
    const bool written = std::any_of(actions.begin(), actions.end(),
        [](const Action& a) { return a.kind == ActionKind::out || a.kind == ActionKind::gif; });
    if (!written)
        return std::nullopt;
    std::uint64_t frames = 0;
    for (const Action& action : actions) {
        if (action.kind == ActionKind::frames)
            frames += action.count;
    }
    if (frames > kMaxStripFrames)
        return "a strip holds at most " + std::to_string(kMaxStripFrames) + " frames, this run makes "
            + std::to_string(frames);
    return std::nullopt;
}

} // namespace

CommandLine parseCommandLine(std::span<const std::string> arguments)
{
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (word == "--help" || word == "-h") {
            line.help = true;
            return line;
        }
        if (word == "--version") {
            line.version = true;
            return line;
        }
        const auto verb
            = std::find_if(kVerbs.begin(), kVerbs.end(), [&](const Verb& v) { return v.name == word; });
        if (verb == kVerbs.end()) {
            line.error = "unknown action '" + word + "'";
            return line;
        }
        Action action { verb->kind, {}, Control::Label1, 0 };
        if (verb->takesArgument) {
            if (i + 1 >= arguments.size()) {
                line.error = word + " needs an argument";
                return line;
            }
            if (auto reason = takeArgument(action, word, arguments[++i])) {
                line.error = std::move(reason);
                return line;
            }
        }
        if (action.kind == ActionKind::scale)
            line.scale = static_cast<int>(action.count);
        line.actions.push_back(std::move(action));
    }
    line.error = checkStripSize(line.actions);
    return line;
}

const char* usageText()
{
    return "usage: nimbrel-render [ACTION]...\n"
           "Runs the viewer's load procedure, player and frame composition without a window,\n"
           "performing the actions strictly in the order given.\n"
           "\n"
           "  --drop PATH     drop PATH on the window: it becomes the definition file and is loaded\n"
           "  --press NAME    click a button: Button1 ... Button12, Button14, buttonck, reload,\n"
           "                  CGreload, clipper (a disabled button ignores the click)\n"
           "  --toggle NAME   change the check mark of CheckBox1, CheckBox2 or the menu items autocgload\n"
           "                  and autodefload\n"
           "  --speed TEXT    set the speed box Edit1 to TEXT\n"
           "  --pattern TEXT  set the pattern box Edit2 to TEXT\n"
           "  --frames K      run K idle steps on a simulated clock, keeping the view after each\n"
           "  --state         print the window and player state as one line of JSON\n"
           "  --tables        print the character tables as one line of JSON\n"
           "  --out FILE      at the end, write the kept views side by side as one PNG\n"
           "                  (at most 1024 frames; nothing is written when none were kept)\n"
           "  --gif FILE      at the end, write the kept views as one animated GIF that loops for\n"
           "                  ever, each frame shown for the frame interval in effect when it was kept\n"
           "  --scale N       enlarge what --out and --gif write N times (1 to 8, nearest neighbour)\n"
           "  --report FILE   write a one-page HTML report of the character as it stands: its values,\n"
           "                  the sheet with its patterns, every animation as a GIF and a strip, and\n"
           "                  the definition file\n"
           "  --pause         the menu item 一時停止: pause playback, or go on when paused\n"
           "  --step          コマ送り: pause and show the next frame, as an idle step would\n"
           "  --step-back     コマ戻し: pause and show the frame before, never below frame 1\n"
           "  --restart       最初から: show frame 1 of the current animation\n"
           "                  (the view keeps the frame these show: a following --frames 1 while\n"
           "                  paused keeps it again)\n"
           "  --sleep MS      wait MS milliseconds (0 to 60000) on the real clock, as the window would\n"
           "                  idle: the automatic reloads read a changed file once it is 250 ms old\n"
           "  --closeup FILE  write what the zoom window 拡大表示 shows of the frame on show as a PNG:\n"
           "                  the frame enlarged, with the grid, onion skin and background as set\n"
           "  --closeup-zoom K  the zoom window's factor, 1 to 8 (4 at start)\n"
           "  --onion B,A     onion skin: B frames before and A after the frame on show, 0 to 3 each\n"
           "                  (0,0 at start: off)\n"
           "  --toggle nobackground  背景なし: the frame without background pattern 1, over a\n"
           "                  checkerboard; --toggle grid: the zoom window's pixel grid (from 4 times)\n"
           "  --frame-list FILE  write コマ一覧, a small picture of every frame of the current\n"
           "                  animation side by side, the frame on show marked, as a PNG\n"
           "  --help          print this text\n"
           "  --version       print the version\n"
           "\n"
           "Errors that the window would show in its message box are printed on stderr, one a line.\n"
           "Exit status: 0 without errors, 1 when an error was reported, 2 for a usage error.\n";
}

} // namespace render
