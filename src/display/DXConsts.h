#pragma once

// The message texts of the display layer, byte for byte as the user sees them.

namespace dxconsts {

inline constexpr const char* SDLLNotLoaded = "%s を読み込めません";
inline constexpr const char* SCannotInitialized = "%s を初期化できません";
inline constexpr const char* SNotMade = "%s は作成されていません";
inline constexpr const char* SCannotMade = "%s を作成できません";
inline constexpr const char* SSinceDirectX6 = "DirectX 6 以降が必要です";
inline constexpr const char* SNoForm = "フォームが見つかりません";
inline constexpr const char* SDisplayModeChange = "ディスプレイモードを変更できません (%dx%d %dbit)";

// Names that fill the placeholders.
inline constexpr const char* SDirectDraw = "DirectDraw";
inline constexpr const char* SDirectDrawDll = "DDraw.dll";
inline constexpr const char* SDirectDrawCreate = "DirectDrawCreate";
inline constexpr const char* SIDirectDraw = "IDirectDraw";
inline constexpr const char* SIDirectDrawSurface = "IDirectDrawSurface";
inline constexpr const char* SDirectDrawSurface = "サーフェース";
inline constexpr const char* SDirectDrawPrimarySurface = "プライマリサーフェース";
inline constexpr const char* SDirectDrawClipper = "クリッパー";

} // namespace dxconsts
