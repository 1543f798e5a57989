#include "app/StartOptions.h"

#include <string_view>

namespace app {

StartOptions readStartOptions(std::span<const char* const> arguments)
{
    StartOptions options;
    bool optionsEnded = false;
    for (const char* argument : arguments) {
        const std::string_view word(argument);
        if (!optionsEnded && word.starts_with("--")) {
            if (word == "--") {
                optionsEnded = true;
                continue;
            }
            if (word == "--help" || word == "--version") {
                options.action = word == "--help" ? StartAction::help : StartAction::version;
                return options;
            }
            // Any other double-dash word is a mistyped option, not a file.
            options.action = StartAction::usageError;
            options.unknown = word;
            return options;
        }
        if (!options.file)
            options.file = word;
    }
    return options;
}

std::string startHelpText()
{
    return "使い方: nimbrel [オプション] [定義ファイル]\n"
           "ゲームキャラクターのアニメーションを再生して確かめます。\n"
           "定義ファイルを指定すると、ウィンドウにドロップしたときと同じように読み込みます。\n"
           "\n"
           "  --help     この説明を表示して終了します\n"
           "  --version  バージョンを表示して終了します\n"
           "  --         これより後の引数は、-- で始まっていても定義ファイルとして扱います\n";
}

std::string startUsageError(const StartOptions& options)
{
    return "nimbrel: " + options.unknown + " というオプションはありません\n"
        + "使い方は nimbrel --help で表示できます\n";
}

} // namespace app
