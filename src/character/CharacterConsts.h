#pragma once

// The message texts of the character layer.

namespace character {

inline constexpr const char* kSInvalidInteger = "'%s' は数値ではありません";
inline constexpr const char* kSAnimationOutOfRange = "アニメーション番号 %d は範囲外です";
inline constexpr const char* kSEmptyImage = "画像 %s は空です";

} // namespace character
