#pragma once

// The main window's design values: every control in creation order with its
// kind, place, size, caption, font, start state and tab order. Positions are
// client-area pixels under the menu bar.

#include <array>

namespace app {

enum class ControlKind { Label, Button, Edit, CheckBox, Display };

struct ControlDesign {
    const char* name;
    ControlKind kind;
    int left;
    int top;
    int width;
    int height;
    const char* caption;
    int fontPixels;
    bool enabled;
    int tabOrder; // -1: not a tab stop
};

inline constexpr int kClientWidth = 226;
inline constexpr int kClientHeight = 337;
inline constexpr int kFontPixels = 12;

inline constexpr std::array<ControlDesign, 25> kControls { {
    { "Label2", ControlKind::Label, 104, 272, 42, 21, "状態", 21, true, -1 },
    { "Label3", ControlKind::Label, 0, 274, 41, 16, "Anime", 16, true, -1 },
    { "Label1", ControlKind::Label, 0, 248, 32, 16, "名前", 16, true, -1 },
    { "Button1", ControlKind::Button, 0, 48, 49, 25, "通常１", kFontPixels, false, 0 },
    { "Button2", ControlKind::Button, 48, 48, 49, 25, "通常２", kFontPixels, false, 1 },
    { "Button3", ControlKind::Button, 0, 72, 49, 25, "勝ち", kFontPixels, false, 2 },
    { "Button4", ControlKind::Button, 48, 72, 49, 25, "負け", kFontPixels, false, 3 },
    { "Button5", ControlKind::Button, 0, 96, 49, 25, "立ち", kFontPixels, false, 4 },
    { "Button6", ControlKind::Button, 0, 136, 49, 25, "喜び１", kFontPixels, false, 5 },
    { "Button7", ControlKind::Button, 48, 136, 49, 25, "喜び２", kFontPixels, false, 6 },
    { "Button8", ControlKind::Button, 0, 160, 49, 25, "喜び３", kFontPixels, false, 7 },
    { "Button9", ControlKind::Button, 48, 160, 49, 25, "ﾀﾞﾒｰｼﾞ１", kFontPixels, false, 8 },
    { "Button10", ControlKind::Button, 0, 184, 49, 25, "ﾀﾞﾒｰｼﾞ２", kFontPixels, false, 9 },
    { "Button11", ControlKind::Button, 48, 184, 49, 25, "ﾀﾞﾒｰｼﾞ３", kFontPixels, false, 10 },
    { "Button12", ControlKind::Button, 0, 208, 49, 25, "ミス", kFontPixels, false, 11 },
    { "Edit1", ControlKind::Edit, 64, 272, 33, 20, "100", kFontPixels, true, 12 },
    { "Edit2", ControlKind::Edit, 0, 316, 225, 20, "", kFontPixels, true, 13 },
    { "buttonck", ControlKind::Button, 0, 296, 75, 17, "ﾊﾟﾀｰﾝﾁｪｯｸ", kFontPixels, false, 14 },
    { "CheckBox1", ControlKind::CheckBox, 80, 296, 57, 17, "ループ", kFontPixels, true, 15 },
    { "reload", ControlKind::Button, 0, 0, 97, 17, "再読込み", kFontPixels, false, 16 },
    { "clipper", ControlKind::Button, 144, 296, 80, 17, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞへ", kFontPixels, true, 17 },
    { "CGreload", ControlKind::Button, 0, 16, 97, 17, "CG再読込み", kFontPixels, false, 18 },
    { "CheckBox2", ControlKind::CheckBox, 50, 213, 49, 17, "ﾙｰﾌﾟ", kFontPixels, true, 19 },
    { "DXDraw1", ControlKind::Display, 104, 0, 121, 271, "", kFontPixels, true, 20 },
    { "Button14", ControlKind::Button, 48, 96, 49, 25, "おじゃま", kFontPixels, false, 21 },
} };

} // namespace app
