#pragma once

// Texts that tell the author what a number of the file stands for: a
// pattern's numbers and rectangle, an animation's button and kind.

#include "lsp/Index.h"

#include <string>

namespace lsp {

// "1A" as lists write it; "1A (26)" with the decimal form.
std::string listForm(int pattern);
// How the pattern line writes it: two decimal or hexadecimal digits.
std::string lineForm(int pattern, bool hexNumbering);
std::string rectangleText(const PatternDefinition& definition);

struct AnimationFacts {
    std::string button; // the button's design name, empty for none
    std::string caption;
    std::string kind; // ループ, 1 回, パターンチェック
};
AnimationFacts animationFacts(int animation);

} // namespace lsp
