#pragma once

// The codes and message texts of the checker. Codes are stable: editors, CI
// filters and the README refer to them. Placeholders are filled in order
// ("%s" texts, "%d" numbers written as text).

#include <string_view>

namespace check {

// Everything that stops or fails a load; the message is the error box's.
inline constexpr std::string_view kCodeNumber = "number";
inline constexpr std::string_view kCodeAnimationRange = "animation-range";
inline constexpr std::string_view kCodeSheet = "sheet";
inline constexpr std::string_view kCodeFile = "file";

// What a load passes over without a word.
inline constexpr std::string_view kCodeBom = "bom";
inline constexpr std::string_view kCodeUnknownLine = "unknown-line";
inline constexpr std::string_view kCodeNameCut = "name-cut";
inline constexpr std::string_view kCodeSheetNameCut = "sheet-name-cut";
inline constexpr std::string_view kCodeListOdd = "list-odd";
inline constexpr std::string_view kCodeListOverflow = "list-overflow";
inline constexpr std::string_view kCodeListRest = "list-rest";
inline constexpr std::string_view kCodeValueCut = "value-cut";
inline constexpr std::string_view kCodeNumbering = "numbering";
inline constexpr std::string_view kCodeListOverwritten = "list-overwritten";
inline constexpr std::string_view kCodePatternUndefined = "pattern-undefined";
inline constexpr std::string_view kCodePatternThreeDigits = "pattern-three-digits";
inline constexpr std::string_view kCodePatternOutsideSheet = "pattern-outside-sheet";
inline constexpr std::string_view kCodeOutsideView = "outside-view";
inline constexpr std::string_view kCodeLayerPlacement = "layer-placement";
inline constexpr std::string_view kCodeLengthsDiffer = "lengths-differ";
inline constexpr std::string_view kCodeNoButton = "no-button";
inline constexpr std::string_view kCodeBackground = "background";
inline constexpr std::string_view kCodeInterval = "interval";
inline constexpr std::string_view kCodeNoSheet = "no-sheet";
inline constexpr std::string_view kCodeEmptyStart = "empty-start";

inline constexpr const char* kSBom = "ファイルの先頭にバイト順マークがあるため、1 行目は読まれません";
inline constexpr const char* kSUnknownKeyword
    = "'%s' はどの種類の行でもないため無視されます ('%s' の誤りですか)";
inline constexpr const char* kSUnknownLine = "'%s' はどの種類の行でもないため無視されます";
inline constexpr const char* kSIndented = "行が 1 桁目から始まらないため無視されます";
inline constexpr const char* kSDecimalNotNumber
    = "十進の番号付けでは '%s' はパターン番号ではないため無視されます (十六進の番号は #DATA 16 "
      "の後で使えます)";
inline constexpr const char* kSHexDigits
    = "十六進の番号付けではパターン番号は 2 桁で書くため、この行は無視されます";
inline constexpr const char* kSNumberOutOfRange
    = "パターン番号 %s は 1 から 255 の外のため、この行は無視されます";
inline constexpr const char* kSNameCut = "名前は最初の語だけが使われ、'%s' は無視されます";
inline constexpr const char* kSSheetNameCut = "シート画像の名前は最初の語だけが使われ、'%s' は無視されます";
inline constexpr const char* kSListOdd = "リストの長さが奇数のため、最後の文字 '%s' は無視されます";
inline constexpr const char* kSListOverflow = "コマ 255 より後のパターン番号 %d 個は無視されます";
inline constexpr const char* kSListRest = "リストの後の '%s' は無視されます";
inline constexpr const char* kSValueCut = "値が 1024 文字を超えるため、ここから後は読まれません";
inline constexpr const char* kSNumbering = "#DATA の値 '%s' は 16 ではないため、番号付けは変わりません";
inline constexpr const char* kSListOverwritten
    = "アニメーション %d のこのリストは %d コマで、%d 行目のリストより短いため、コマ %d から %d "
      "は前のまま残ります";
inline constexpr const char* kSPatternUndefined = "パターン %s はどのパターン行でも定義されていません";
inline constexpr const char* kSPatternUndefinedDecimal
    = "パターン %s はどのパターン行でも定義されていません (リストは十六進です: 十進の #%s はリストでは %s "
      "と書きます)";
inline constexpr const char* kSThreeDigits
    = "十進の番号付けではパターン番号は 2 桁までのため、この行はパターン %d として読まれ、値は '%s' "
      "から始まります";
inline constexpr const char* kSOutsideSheet
    = "パターン %s の矩形 (左 %d, 上 %d, 右 %d, 下 %d) は %d × %d のシート画像からはみ出すため描かれません";
inline constexpr const char* kSEmptyRect
    = "パターン %s の矩形 (左 %d, 上 %d, 右 %d, 下 %d) は空のため描かれません";
inline constexpr const char* kSBaseOutsideView
    = "パターン %s (幅 %d, 高さ %d) は 121 × 271 の表示より大きいため、基本パターンとしては描かれません";
inline constexpr const char* kSLayerOutsideView
    = "アニメーション %d のコマ %d のレイヤー %s は配置 %s で表示からはみ出すか空になるため描かれません "
      "(このアニメーションで %d コマ)";
inline constexpr const char* kSLayerWithoutPlacement
    = "アニメーション %d のコマ %d "
      "にはレイヤーパターンがあって配置パターンがないため、レイヤーは描かれません";
inline constexpr const char* kSPlacementWithoutLayer
    = "アニメーション %d のコマ %d には配置パターンがあってレイヤーパターンがないため、何も重ねられません";
inline constexpr const char* kSLengthsDiffer
    = "アニメーション %d の基本リストは %d コマ、レイヤーリストは %d コマです";
inline constexpr const char* kSNoButton = "アニメーション %d を再生するボタンはありません";
inline constexpr const char* kSSharedButton
    = "アニメーション 9 を再生するボタンはありません (通常１ のボタンはアニメーション 1 を再生します)";
inline constexpr const char* kSPatternCheckRow = "アニメーション 30 はパターンチェックが上書きします";
inline constexpr const char* kSNoBackground = "背景のパターン 01 がどのパターン行でも定義されていません";
inline constexpr const char* kSSmallBackground
    = "背景のパターン 01 (幅 %d, 高さ %d) は 121 × 271 の表示より小さいため、残りは黒のままです";
inline constexpr const char* kSLargeBackground
    = "背景のパターン 01 (幅 %d, 高さ %d) は 121 × 271 の表示より大きいため描かれません";
inline constexpr const char* kSInterval = "コマの間隔 %d ミリ秒は 0 以下のため、コマが待たずに進みます";
inline constexpr const char* kSNoSheet = "シート画像の行 (#CHARBMP) がありません";
inline constexpr const char* kSEmptyStart = "最初に再生されるアニメーション 1 にコマがありません";

} // namespace check
