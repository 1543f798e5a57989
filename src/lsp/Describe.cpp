#include "lsp/Describe.h"

#include "form/Buttons.h"
#include "form/FormControls.h"

#include <cstdio>

namespace lsp {

std::string listForm(int pattern)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(pattern) & 0xFFu);
    return text;
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
    switch (animation) {
    case 4:
    case 6:
    case 7:
    case 8:
    case 10:
    case 11:
    case 12:
        facts.kind = "1 回 (終わると前のループに戻る)";
        break;
    case character::kPatternCheckAnimation:
        facts.kind = "パターンチェック";
        break;
    default:
        facts.kind = "ループ";
    }
    return facts;
}

} // namespace lsp
