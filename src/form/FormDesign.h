#pragma once

// The main window's design, written down once: one table whose rows are the
// controls in creation order (kind, place, size, caption, font, start state,
// tab order) and then the menus of the menu bar with their items (caption,
// shortcut, check mark). The Qt window builds every control and menu from
// it, the headless form starts from it, and nimbrel-render takes its
// --press, --toggle and command actions and their help from it.
//
// How to add a command (a button, a check box or a menu item):
//  1. Add a `Control` value above `Control::count`.
//  2. Add its row to kRows: `control(...)` on the client area (a button is
//     pressed by --press NAME, a check box toggled by --toggle NAME), or
//     `item(...)` after the last row of its menu. Give the item a
//     `verb("--name", "help")` when nimbrel-render should run it as an
//     action of its own, `toggled` when --toggle NAME should reach it.
//  3. Add one handler: what the command does goes into FormLogic's command
//     list (playback/FormLogic.cpp), which the window and the driver both
//     call; only a command that opens a window of its own is handled in the
//     window's list instead (TForm1::windowCommand in app/Unit1.cpp).
// A new menu is a `menu(...)` row, standing where it comes in the menu bar.

#include "display/ViewDesign.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace form {

// The controls and menu items that the load procedure, the commands, the
// player and the driver reach.
enum class Control {
    Label1, // name label
    Label2, // state label
    Label3,
    Edit1, // speed box
    Edit2, // pattern box
    Button1,
    Button2,
    Button3,
    Button4,
    Button5,
    Button6,
    Button7,
    Button8,
    Button9,
    Button10,
    Button11,
    Button12,
    Button14,
    buttonck,
    reload,
    CGreload,
    clipper,
    CheckBox1,
    CheckBox2,
    DXDraw1,
    autocgload, // the menu items
    autodefload,
    pauseplay,
    stepnext,
    stepback,
    restart,
    zoomview,
    sheetview,
    checkfile,
    gifsave,
    framecopy,
    count // not a control: how many there are
};

inline constexpr int kControlCount = static_cast<int>(Control::count);

enum class ControlKind { Label, Button, Edit, CheckBox, Display, Menu, Item, Separator };

// Client-area pixels under the menu bar.
struct Bounds {
    int left;
    int top;
    int width;
    int height;
};

inline constexpr int kNoTabStop = -1;
inline constexpr int kWindowFontPixels = 12;

// How nimbrel-render reaches a row: not at all, by --press NAME, by
// --toggle NAME, or by an action of its own (`verb`, described by `help`
// in the driver's --help; a help of several lines is split at '\n').
enum class Reach { none, press, toggle, verb };

struct DriverAction {
    Reach reach = Reach::none;
    std::string_view verb = {};
    std::string_view help = {};
};

struct Row {
    std::optional<Control> control;
    // The fixed name: the object name in the window, NAME in the driver.
    std::string_view name;
    ControlKind kind;
    // A control: its place on the client area. A menu entry: the name of
    // the menu it stands in, in the order of the rows.
    Bounds bounds;
    std::string_view menu;
    // The caption, or for an edit box its text.
    std::string_view caption;
    // The start state; check marks start unchecked.
    bool enabled;
    int tabOrder;
    // What the window calls when the control is clicked or its text changes.
    std::string_view handler;
    int fontPixels = kWindowFontPixels;
    // Edit boxes: how many characters typing may leave in the box; 0 for no
    // limit. The program may set longer texts.
    int typedLimit = 0;
    bool checkable = false;
    // In Qt's portable key text ("F5", "Ctrl+1"); empty for none.
    std::string_view shortcut = {};
    DriverAction driver = {};
};

// The row makers, so that each kind of row reads as what it is.
constexpr Row control(Control c, std::string_view name, ControlKind kind, Bounds bounds,
    std::string_view caption, bool enabled, int tabOrder, std::string_view handler,
    int fontPixels = kWindowFontPixels, int typedLimit = 0)
{
    const Reach reach = kind == ControlKind::Button ? Reach::press
        : kind == ControlKind::CheckBox             ? Reach::toggle
                                                    : Reach::none;
    return { c, name, kind, bounds, {}, caption, enabled, tabOrder, handler, fontPixels, typedLimit,
        kind == ControlKind::CheckBox, {}, { reach } };
}

constexpr Row menu(std::string_view name, std::string_view caption)
{
    return { std::nullopt, name, ControlKind::Menu, {}, {}, caption, true, kNoTabStop, {} };
}

enum class Mark { plain, checkable };

constexpr Row item(Control c, std::string_view name, std::string_view inMenu, std::string_view caption,
    std::string_view shortcut, Mark mark, std::string_view handler = {}, DriverAction driver = {})
{
    return { c, name, ControlKind::Item, {}, inMenu, caption, true, kNoTabStop, handler, kWindowFontPixels, 0,
        mark == Mark::checkable, shortcut, driver };
}

constexpr Row separator(std::string_view inMenu)
{
    return { std::nullopt, {}, ControlKind::Separator, {}, inMenu, {}, true, kNoTabStop, {} };
}

constexpr DriverAction verb(std::string_view name, std::string_view help)
{
    return { Reach::verb, name, help };
}

inline constexpr DriverAction toggled { Reach::toggle };

namespace rows {
using C = Control;
using K = ControlKind;
using M = Mark;

inline constexpr auto kRows = std::to_array<Row>({
    control(C::Label2, "Label2", K::Label, { 104, 272, 42, 21 }, "状態", true, kNoTabStop, "", 21),
    control(C::Label3, "Label3", K::Label, { 0, 274, 41, 16 }, "Anime", true, kNoTabStop, "", 16),
    control(C::Label1, "Label1", K::Label, { 0, 248, 32, 16 }, "名前", true, kNoTabStop, "", 16),
    control(C::Button1, "Button1", K::Button, { 0, 48, 49, 25 }, "通常１", false, 0, "Button1Click"),
    control(C::Button2, "Button2", K::Button, { 48, 48, 49, 25 }, "通常２", false, 1, "Button2Click"),
    control(C::Button3, "Button3", K::Button, { 0, 72, 49, 25 }, "勝ち", false, 2, "Button3Click"),
    control(C::Button4, "Button4", K::Button, { 48, 72, 49, 25 }, "負け", false, 3, "Button4Click"),
    control(C::Button5, "Button5", K::Button, { 0, 96, 49, 25 }, "立ち", false, 4, "Button5Click"),
    control(C::Button6, "Button6", K::Button, { 0, 136, 49, 25 }, "喜び１", false, 5, "Button6Click"),
    control(C::Button7, "Button7", K::Button, { 48, 136, 49, 25 }, "喜び２", false, 6, "Button7Click"),
    control(C::Button8, "Button8", K::Button, { 0, 160, 49, 25 }, "喜び３", false, 7, "Button8Click"),
    control(C::Button9, "Button9", K::Button, { 48, 160, 49, 25 }, "ﾀﾞﾒｰｼﾞ１", false, 8, "Button9Click"),
    control(C::Button10, "Button10", K::Button, { 0, 184, 49, 25 }, "ﾀﾞﾒｰｼﾞ２", false, 9, "Button10Click"),
    control(C::Button11, "Button11", K::Button, { 48, 184, 49, 25 }, "ﾀﾞﾒｰｼﾞ３", false, 10, "Button11Click"),
    control(C::Button12, "Button12", K::Button, { 0, 208, 49, 25 }, "ミス", false, 11, "Button12Click"),
    control(C::Edit1, "Edit1", K::Edit, { 64, 272, 33, 20 }, "100", true, 12, "Edit1Change",
        kWindowFontPixels, 3),
    control(C::Edit2, "Edit2", K::Edit, { 0, 316, 225, 20 }, "", true, 13, ""),
    control(C::buttonck, "buttonck", K::Button, { 0, 296, 75, 17 }, "ﾊﾟﾀｰﾝﾁｪｯｸ", false, 14, "buttonckClick"),
    control(C::CheckBox1, "CheckBox1", K::CheckBox, { 80, 296, 57, 17 }, "ループ", true, 15, ""),
    control(C::reload, "reload", K::Button, { 0, 0, 97, 17 }, "再読込み", false, 16, "reloadClick"),
    control(C::clipper, "clipper", K::Button, { 144, 296, 80, 17 }, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞへ", true, 17, "clipperClick"),
    control(C::CGreload, "CGreload", K::Button, { 0, 16, 97, 17 }, "CG再読込み", false, 18, "CGreloadClick"),
    control(C::CheckBox2, "CheckBox2", K::CheckBox, { 50, 213, 49, 17 }, "ﾙｰﾌﾟ", true, 19, ""),
    control(C::DXDraw1, "DXDraw1", K::Display, { 104, 0, display::kViewWidth, display::kViewHeight }, "",
        true, 20, ""),
    control(C::Button14, "Button14", K::Button, { 48, 96, 49, 25 }, "おじゃま", false, 21, "Button14Click"),

    menu("N1", "設定"),
    item(C::autocgload, "autocgload", "N1", "自動ＣＧ再読込み", "", M::checkable, "autocgloadClick", toggled),
    item(C::autodefload, "autodefload", "N1", "自動定義再読込み", "", M::checkable, "autodefloadClick",
        toggled),
    // Function keys and Ctrl combinations: Space, Enter, the arrows, Tab and
    // typing all belong to the window's controls. A shortcut works from the
    // windows of this menu as well.
    menu("N2", "表示"),
    item(C::pauseplay, "pauseplay", "N2", "一時停止", "F5", M::checkable, "",
        verb("--pause", "the menu item 一時停止: pause playback, or go on when paused")),
    item(C::stepnext, "stepnext", "N2", "コマ送り", "F7", M::plain, "",
        verb("--step", "コマ送り: pause and show the next frame, as an idle step would")),
    item(C::stepback, "stepback", "N2", "コマ戻し", "F6", M::plain, "",
        verb("--step-back", "コマ戻し: pause and show the frame before, never below frame 1")),
    item(C::restart, "restart", "N2", "最初から", "F8", M::plain, "",
        verb("--restart",
            "最初から: show frame 1 of the current animation\n"
            "(the view keeps the frame these show: a following --frames 1 while\n"
            "paused keeps it again)")),
    separator("N2"),
    item(C::zoomview, "zoomview", "N2", "拡大表示", "Ctrl+1", M::plain),
    item(C::sheetview, "sheetview", "N2", "シート表示", "Ctrl+2", M::plain),
    menu("ToolsMenu", "ツール"),
    item(C::checkfile, "checkfile", "ToolsMenu", "定義ファイルの検査", "", M::plain, "checkfileClick"),
    item(C::gifsave, "gifsave", "ToolsMenu", "GIF で保存…", "", M::plain),
    item(C::framecopy, "framecopy", "ToolsMenu", "フレームを画像でコピー", "", M::plain),
});
} // namespace rows

using rows::kRows;

// The whole window: its caption, client size and the table.
struct FormDesign {
    std::string_view caption;
    int clientWidth;
    int clientHeight;
    std::span<const Row> rows;

    const Row* find(Control control) const;
    const Row* findByName(std::string_view name) const;
};

inline constexpr FormDesign kFormDesign { "Nimbrel", 226, 337, kRows };

// Every control has exactly one row.
constexpr bool everyControlHasOneRow()
{
    for (int i = 0; i < kControlCount; ++i) {
        const auto control = static_cast<Control>(i);
        const auto count = std::count_if(
            kRows.begin(), kRows.end(), [&](const Row& row) { return row.control == control; });
        if (count != 1)
            return false;
    }
    return true;
}
static_assert(everyControlHasOneRow(), "every Control needs exactly one design row");

// The buttons of the design, in creation order.
constexpr auto buttonsInCreationOrder()
{
    constexpr auto count = std::count_if(
        kRows.begin(), kRows.end(), [](const Row& row) { return row.kind == ControlKind::Button; });
    std::array<Control, static_cast<std::size_t>(count)> buttons {};
    std::size_t next = 0;
    for (const Row& row : kRows) {
        if (row.kind == ControlKind::Button)
            buttons[next++] = *row.control;
    }
    return buttons;
}
inline constexpr auto kButtonsInCreationOrder = buttonsInCreationOrder();

} // namespace form
