#pragma once

// What the window's check list shows of a checked file: one row of texts per
// problem, the column headings and the summary line, all in the window's
// words. The window only puts them into its widgets.

#include "check/Checker.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace check {

struct ProblemRow {
    std::string line;
    std::string column;
    std::string severity;
    std::string message;
    std::string code;
    std::string source; // the source line as the text report shows it, without its gutter
    bool error = false;
};

inline constexpr std::array<std::string_view, 6> kProblemHeadings { "行", "桁", "種類", "メッセージ",
    "コード", "ソース" };
inline constexpr const char* kSNothingLoaded = "定義ファイルが読み込まれていません";
inline constexpr const char* kSProblemSummary = "%s: エラー %d 件、警告 %d 件";

std::vector<ProblemRow> problemRows(const CheckedFile& file);
std::string problemSummary(const std::string& path, const Report& report);

} // namespace check
