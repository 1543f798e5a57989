#include "lsp/Describe.h"

#include "character/CharacterTables.h"
#include "form/Buttons.h"
#include "form/FormControls.h"
#include "playback/Player.h"

#include <cstdio>

namespace lsp {

std::string listForm(int pattern)
{
    return character::hexPair(pattern);
}

std::string lineForm(int pattern, bool hexNumbering)
{
    if (hexNumbering)
        return listForm(pattern);
    char text[8];
    std::snprintf(text, sizeof text, "%02d", pattern % 100);
    return text;
}

std::string rectangleText(const PatternDefinition& d)
{
    return "左 " + std::to_string(d.values[0]) + ", 上 " + std::to_string(d.values[1]) + ", 幅 "
        + std::to_string(d.values[2]) + ", 高さ " + std::to_string(d.values[3]);
}

AnimationFacts animationFacts(int animation)
{
    AnimationFacts facts;
    if (const std::optional<form::Control> button = form::animationButton(animation)) {
        facts.button = form::controlName(*button);
        facts.caption = form::designCaption(*button);
    }
    switch (playback::animationClass(animation)) {
    case playback::AnimationClass::oneShot:
        facts.kind = "1 回 (終わると前のループに戻る)";
        break;
    case playback::AnimationClass::patternCheck:
        facts.kind = "パターンチェック";
        break;
    case playback::AnimationClass::looping:
        facts.kind = "ループ";
    }
    return facts;
}

} // namespace lsp
