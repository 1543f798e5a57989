#include "app/StartOptions.h"

#include <charconv>
#include <string_view>

namespace app {

namespace {

StartOptions usageError(std::string problem)
{
    StartOptions options;
    options.action = StartAction::usageError;
    options.problem = std::move(problem);
    return options;
}

// A whole decimal number, sign allowed; the viewer says which animations it
// has, so any number in range gets that far.
std::optional<std::int32_t> animationNumber(std::string_view text)
{
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

} // namespace

StartOptions readStartOptions(std::span<const char* const> arguments)
{
    StartOptions options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view word(arguments[i]);
        if (optionsEnded || !word.starts_with("--")) {
            if (!options.file)
                options.file = word;
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
        } else if (word == "--help" || word == "--version") {
            options.action = word == "--help" ? StartAction::help : StartAction::version;
            return options;
        } else if (word == "--new-window") {
            options.newWindow = true;
        } else if (word == "--play" || word == "--pattern") {
            if (i + 1 == arguments.size())
                return usageError(std::string(word) + " の後に値がありません");
            const std::string_view value(arguments[++i]);
            if (word == "--pattern") {
                options.pattern = value;
            } else if (!(options.play = animationNumber(value))) {
                return usageError(
                    "--play の後にはアニメーション番号を書いてください ('" + std::string(value) + "')");
            }
        } else {
            // Any other double-dash word is a mistyped option, not a file.
            options.action = StartAction::usageError;
            options.unknown = word;
            return options;
        }
    }
    if (options.play && options.pattern)
        return usageError("--play と --pattern は一緒には使えません");
    return options;
}

std::string startHelpText()
{
    return "使い方: nimbrel [オプション] [定義ファイル]\n"
           "ゲームキャラクターのアニメーションを再生して確かめます。\n"
           "定義ファイルを指定すると、ウィンドウにドロップしたときと同じように読み込みます。\n"
           "ビューアがすでに開いていれば、そのウィンドウで読み込んで終了します。\n"
           "\n"
           "  --new-window   ビューアが開いていても、新しいウィンドウで開きます\n"
           "  --play N       定義ファイルを開いて、アニメーション N を再生します\n"
           "  --pattern 文字列  定義ファイルを開いて、パターン文字列 (0102030A など) を再生します\n"
           "  --help         この説明を表示して終了します\n"
           "  --version      バージョンを表示して終了します\n"
           "  --             これより後の引数は、-- で始まっていても定義ファイルとして扱います\n";
}

std::string startUsageError(const StartOptions& options)
{
    const std::string problem
        = options.problem.empty() ? options.unknown + " というオプションはありません" : options.problem;
    return "nimbrel: " + problem + "\n" + "使い方は nimbrel --help で表示できます\n";
}

} // namespace app
