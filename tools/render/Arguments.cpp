#include "render/Arguments.h"

#include "closeup/CloseupPicture.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <string_view>

namespace render {

namespace {

using form::Control;

struct Verb {
    std::string_view name;
    ActionKind kind;
    bool takesArgument;
};

constexpr std::array<Verb, 17> kVerbs { {
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
    { "--sleep", ActionKind::sleep, true },
    { "--closeup", ActionKind::closeup, true },
    { "--closeup-zoom", ActionKind::closeupZoom, true },
    { "--onion", ActionKind::onion, true },
    { "--frame-list", ActionKind::frameList, true },
} };

// The control of the row named `name`, when the driver reaches that row so.
std::optional<Control> reached(const form::FormDesign& design, std::string_view name, form::Reach reach)
{
    const form::Row* row = design.findByName(name);
    if (row != nullptr && row->control && row->driver.reach == reach)
        return row->control;
    return std::nullopt;
}

// The verb of a fixed action or of a command of the design, as an action
// to fill in; none for an unknown word.
std::optional<std::pair<Action, bool>> actionOf(const form::FormDesign& design, std::string_view word)
{
    const auto verb
        = std::find_if(kVerbs.begin(), kVerbs.end(), [&](const Verb& v) { return v.name == word; });
    if (verb != kVerbs.end())
        return std::pair { Action { verb->kind, {}, Control::Label1, 0 }, verb->takesArgument };
    for (const form::Row& row : design.rows) {
        if (row.control && row.driver.reach == form::Reach::verb && row.driver.verb == word)
            return std::pair { Action { ActionKind::command, {}, *row.control, 0 }, false };
    }
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
std::optional<std::string> takeArgument(
    const form::FormDesign& design, Action& action, std::string_view verb, const std::string& argument)
{
    action.text = argument;
    switch (action.kind) {
    case ActionKind::press:
        if (const auto control = reached(design, argument, form::Reach::press)) {
            action.control = *control;
            return std::nullopt;
        }
        return "no button named '" + argument + "' can be pressed";
    case ActionKind::toggle:
        if (const auto control = reached(design, argument, form::Reach::toggle)) {
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

CommandLine parseCommandLine(std::span<const std::string> arguments, const form::FormDesign& design)
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
        auto found = actionOf(design, word);
        if (!found) {
            line.error = "unknown action '" + word + "'";
            return line;
        }
        auto& [action, takesArgument] = *found;
        if (takesArgument) {
            if (i + 1 >= arguments.size()) {
                line.error = word + " needs an argument";
                return line;
            }
            if (auto reason = takeArgument(design, action, word, arguments[++i])) {
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

namespace {

// The help of a command's own action, in the column of the fixed ones.
void describeCommand(std::string& text, const form::DriverAction& driver)
{
    constexpr std::size_t kColumn = 16;
    text += "  ";
    text += driver.verb;
    text.append(kColumn - std::min(kColumn - 1, driver.verb.size()), ' ');
    for (const char c : driver.help) {
        text += c;
        if (c == '\n')
            text.append(kColumn + 2, ' ');
    }
    text += '\n';
}

} // namespace

std::string usageText(const form::FormDesign& design)
{
    std::string text
        = "usage: nimbrel-render [ACTION]...\n"
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
          "                  the definition file\n";
    for (const form::Row& row : design.rows) {
        if (row.control && row.driver.reach == form::Reach::verb)
            describeCommand(text, row.driver);
    }
    text += "  --sleep MS      wait MS milliseconds (0 to 60000) on the real clock, as the window would\n"
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
    return text;
}

} // namespace render
