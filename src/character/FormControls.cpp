#include "character/FormControls.h"

#include <algorithm>

namespace character {

namespace {

constexpr std::array<std::string_view, kControlCount> kNames {
    "Label1",
    "Label2",
    "Label3",
    "Edit1",
    "Edit2",
    "Button1",
    "Button2",
    "Button3",
    "Button4",
    "Button5",
    "Button6",
    "Button7",
    "Button8",
    "Button9",
    "Button10",
    "Button11",
    "Button12",
    "Button14",
    "buttonck",
    "reload",
    "CGreload",
    "clipper",
    "CheckBox1",
    "CheckBox2",
    "autocgload",
    "autodefload",
};

constexpr std::array<std::string_view, kControlCount> kDesignCaptions {
    "名前",
    "状態",
    "Anime",
    "100",
    "",
    "通常１",
    "通常２",
    "勝ち",
    "負け",
    "立ち",
    "喜び１",
    "喜び２",
    "喜び３",
    "ﾀﾞﾒｰｼﾞ１",
    "ﾀﾞﾒｰｼﾞ２",
    "ﾀﾞﾒｰｼﾞ３",
    "ミス",
    "おじゃま",
    "ﾊﾟﾀｰﾝﾁｪｯｸ",
    "再読込み",
    "CG再読込み",
    "ｸﾘｯﾌﾟﾎﾞｰﾄﾞへ",
    "ループ",
    "ﾙｰﾌﾟ",
    "自動ＣＧ再読込み",
    "自動定義再読込み",
};

} // namespace

std::string_view designCaption(Control control)
{
    return kDesignCaptions[static_cast<std::size_t>(control)];
}

bool enabledAtStart(Control control)
{
    switch (control) {
    case Control::buttonck:
    case Control::reload:
    case Control::CGreload:
        return false;
    default:
        return std::find(kAnimationButtons.begin(), kAnimationButtons.end(), control)
            == kAnimationButtons.end();
    }
}

std::string_view controlName(Control control)
{
    return kNames[static_cast<std::size_t>(control)];
}

std::optional<Control> controlByName(std::string_view name)
{
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        if (kNames[i] == name)
            return static_cast<Control>(i);
    }
    return std::nullopt;
}

std::optional<Control> animationButton(int animation)
{
    switch (animation) {
    case 1:
    case 9:
        return Control::Button1;
    case 2:
        return Control::Button2;
    case 3:
        return Control::Button14;
    case 4:
        return Control::Button12;
    case 5:
        return Control::Button5;
    case 6:
        return Control::Button6;
    case 7:
        return Control::Button7;
    case 8:
        return Control::Button8;
    case 10:
        return Control::Button9;
    case 11:
        return Control::Button10;
    case 12:
        return Control::Button11;
    case 15:
        return Control::Button3;
    case 16:
        return Control::Button4;
    default:
        return std::nullopt;
    }
}

} // namespace character
