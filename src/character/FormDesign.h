#pragma once

// The main window's design, written down once: every control in creation
// order with its kind, place, size, caption, font, start state, tab order
// and handler, and the menu bar's menus and items. The Qt window builds
// itself from these rows and the headless form starts from them; a new
// control or menu item is one more row (and, when the logic has to reach
// it, one more `Control`).

#include "display/ViewDesign.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace character {

// The controls that the load procedure, the commands and the player reach.
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
};

inline constexpr int kControlCount = static_cast<int>(Control::autodefload) + 1;

enum class ControlKind { Label, Button, Edit, CheckBox, Display };

// Client-area pixels under the menu bar.
struct Bounds {
    int left;
    int top;
    int width;
    int height;
};

inline constexpr int kNoTabStop = -1;
inline constexpr int kWindowFontPixels = 12;

struct ControlDesign {
    Control control;
    std::string_view name;
    ControlKind kind;
    Bounds bounds;
    // The caption, or for an edit box its text.
    std::string_view caption;
    bool enabled;
    int tabOrder;
    // What the window calls when the control is clicked or its text changes.
    std::string_view handler;
    int fontPixels = kWindowFontPixels;
    // Edit boxes: how many characters typing may leave in the box; 0 for no
    // limit. The program may set longer texts.
    int typedLimit = 0;
};

enum class MenuKind { Menu, Item, Separator };

// A menu of the menu bar, or an entry of the menu named `parent`. Menus
// and items are enabled at start; checkable items start unchecked.
struct MenuDesign {
    std::optional<Control> control;
    std::string_view name;
    MenuKind kind;
    std::string_view parent;
    std::string_view caption;
    bool checkable = false;
    // In Qt's portable key text ("Ctrl+G", "Space"); empty for none.
    std::string_view shortcut = {};
    std::string_view handler = {};
};

// The rows, with short names for the two enumerations that fill them.
namespace rows {
using C = Control;
using K = ControlKind;

inline constexpr auto kControlDesigns = std::to_array<ControlDesign>({
    { C::Label2, "Label2", K::Label, { 104, 272, 42, 21 }, "状態", true, kNoTabStop, "", 21 },
    { C::Label3, "Label3", K::Label, { 0, 274, 41, 16 }, "Anime", true, kNoTabStop, "", 16 },
    { C::Label1, "Label1", K::Label, { 0, 248, 32, 16 }, "名前", true, kNoTabStop, "", 16 },
    { C::Button1, "Button1", K::Button, { 0, 48, 49, 25 }, "通常１", false, 0, "Button1Click" },
    { C::Button2, "Button2", K::Button, { 48, 48, 49, 25 }, "通常２", false, 1, "Button2Click" },
    { C::Button3, "Button3", K::Button, { 0, 72, 49, 25 }, "勝ち", false, 2, "Button3Click" },
    { C::Button4, "Button4", K::Button, { 48, 72, 49, 25 }, "負け", false, 3, "Button4Click" },
    { C::Button5, "Button5", K::Button, { 0, 96, 49, 25 }, "立ち", false, 4, "Button5Click" },
    { C::Button6, "Button6", K::Button, { 0, 136, 49, 25 }, "喜び１", false, 5, "Button6Click" },
    { C::Button7, "Button7", K::Button, { 48, 136, 49, 25 }, "喜び２", false, 6, "Button7Click" },
    { C::Button8, "Button8", K::Button, { 0, 160, 49, 25 }, "喜び３", false, 7, "Button8Click" },
    { C::Button9, "Button9", K::Button, { 48, 160, 49, 25 }, "ﾀﾞﾒｰｼﾞ１", false, 8, "Button9Click" },
    { C::Button10, "Button10", K::Button, { 0, 184, 49, 25 }, "ﾀﾞﾒｰｼﾞ２", false, 9, "Button10Click" },
    { C::Button11, "Button11", K::Button, { 48, 184, 49, 25 }, "ﾀﾞﾒｰｼﾞ３", false, 10, "Button11Click" },
    { C::Button12, "Button12", K::Button, { 0, 208, 49, 25 }, "ミス", false, 11, "Button12Click" },
    { C::Edit1, "Edit1", K::Edit, { 64, 272, 33, 20 }, "100", true, 12, "Edit1Change", kWindowFontPixels, 3 },
    { C::Edit2, "Edit2", K::Edit, { 0, 316, 225, 20 }, "", true, 13, "" },
    { C::buttonck, "buttonck", K::Button, { 0, 296, 75, 17 }, "ﾊﾟﾀｰﾝﾁｪｯｸ", false, 14, "buttonckClick" },
    { C::CheckBox1, "CheckBox1", K::CheckBox, { 80, 296, 57, 17 }, "ループ", true, 15, "" },
    { C::reload, "reload", K::Button, { 0, 0, 97, 17 }, "再読込み", false, 16, "reloadClick" },
    { C::clipper, "clipper", K::Button, { 144, 296, 80, 17 }, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞへ", true, 17, "clipperClick" },
    { C::CGreload, "CGreload", K::Button, { 0, 16, 97, 17 }, "CG再読込み", false, 18, "CGreloadClick" },
    { C::CheckBox2, "CheckBox2", K::CheckBox, { 50, 213, 49, 17 }, "ﾙｰﾌﾟ", true, 19, "" },
    { C::DXDraw1, "DXDraw1", K::Display, { 104, 0, display::kViewWidth, display::kViewHeight }, "", true, 20,
        "" },
    { C::Button14, "Button14", K::Button, { 48, 96, 49, 25 }, "おじゃま", false, 21, "Button14Click" },
});

inline constexpr auto kMenuDesigns = std::to_array<MenuDesign>({
    { std::nullopt, "N1", MenuKind::Menu, "", "設定" },
    { C::autocgload, "autocgload", MenuKind::Item, "N1", "自動ＣＧ再読込み", true, "", "autocgloadClick" },
    { C::autodefload, "autodefload", MenuKind::Item, "N1", "自動定義再読込み", true, "", "autodefloadClick" },
    { std::nullopt, "ToolsMenu", MenuKind::Menu, "", "ツール" },
    { std::nullopt, "checkfile", MenuKind::Item, "ToolsMenu", "定義ファイルの検査", false, "",
        "checkfileClick" },
});
} // namespace rows

using rows::kControlDesigns;
using rows::kMenuDesigns;

// The whole window: its caption, client size, font and the two tables.
struct FormDesign {
    std::string_view caption;
    int clientWidth;
    int clientHeight;
    std::span<const ControlDesign> controls;
    std::span<const MenuDesign> menu;

    const ControlDesign* find(Control control) const;
    const MenuDesign* findMenu(Control control) const;
};

inline constexpr FormDesign kFormDesign { "Nimbrel", 226, 337, kControlDesigns, kMenuDesigns };

// Every control has exactly one row, in the widgets' table or the menu's.
constexpr bool everyControlHasOneRow()
{
    for (int i = 0; i < kControlCount; ++i) {
        const auto control = static_cast<Control>(i);
        const auto rows = std::count_if(kControlDesigns.begin(), kControlDesigns.end(),
                              [&](const ControlDesign& row) { return row.control == control; })
            + std::count_if(kMenuDesigns.begin(), kMenuDesigns.end(),
                [&](const MenuDesign& row) { return row.control == control; });
        if (rows != 1)
            return false;
    }
    return true;
}
static_assert(everyControlHasOneRow(), "every Control needs exactly one design row");

// The buttons of the design, in creation order.
constexpr auto buttonsInCreationOrder()
{
    constexpr auto count = std::count_if(kControlDesigns.begin(), kControlDesigns.end(),
        [](const ControlDesign& row) { return row.kind == ControlKind::Button; });
    std::array<Control, static_cast<std::size_t>(count)> buttons {};
    std::size_t next = 0;
    for (const ControlDesign& row : kControlDesigns) {
        if (row.kind == ControlKind::Button)
            buttons[next++] = row.control;
    }
    return buttons;
}
inline constexpr auto kButtonsInCreationOrder = buttonsInCreationOrder();

} // namespace character
