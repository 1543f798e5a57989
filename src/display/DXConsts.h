#pragma once

// The message texts of the display layer, byte for byte as the user sees them.

namespace dxconsts {

inline constexpr const char* kSLibraryNotLoaded = "%s を読み込めません";
inline constexpr const char* kSCannotInitialize = "%s を初期化できません";
inline constexpr const char* kSNotMade = "%s は作成されていません";
inline constexpr const char* kSCannotMake = "%s を作成できません";
inline constexpr const char* kSNeedsDirectX6 = "DirectX 6 以降が必要です";
inline constexpr const char* kSFormNotFound = "フォームが見つかりません";
inline constexpr const char* kSDisplayModeChange = "ディスプレイモードを変更できません (%dx%d %dbit)";

// Names that fill the placeholders.
inline constexpr const char* kDirectDrawName = "DirectDraw";
inline constexpr const char* kDirectDrawLibrary = "DDraw.dll";
inline constexpr const char* kDirectDrawCreate = "DirectDrawCreate";
inline constexpr const char* kIDirectDraw = "IDirectDraw";
inline constexpr const char* kIDirectDrawSurface = "IDirectDrawSurface";
inline constexpr const char* kSurfaceName = "サーフェース";
inline constexpr const char* kPrimarySurfaceName = "プライマリサーフェース";
inline constexpr const char* kClipperName = "クリッパー";

} // namespace dxconsts
