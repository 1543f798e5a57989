#include "lsp/PlayCommand.h"

#include "lsp/Features.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lsp {

namespace {

bool allDigits(const std::string& text, bool hex)
{
    if (text.empty() || text.size() > 3)
        return false;
    for (const char c : text) {
        const bool digit = c >= '0' && c <= '9';
        const bool letter = (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
        if (!digit && !(hex && letter))
            return false;
    }
    return true;
}

} // namespace

nlohmann::json playCommand(const std::string& option, const std::string& value, const std::string& path)
{
    return nlohmann::json { { "title", kPlayTitle }, { "command", kPlayCommand },
        { "arguments", { option, value, path } } };
}

std::vector<std::string> playArguments(const nlohmann::json& arguments)
{
    if (!arguments.is_array() || arguments.size() != 3 || !arguments[0].is_string()
        || !arguments[1].is_string() || !arguments[2].is_string())
        throw Refusal("再生のコマンドの引数が正しくありません");
    const std::string option = arguments[0], value = arguments[1], path = arguments[2];
    if ((option != "--play" && option != "--pattern") || !allDigits(value, option == "--pattern"))
        throw Refusal("再生のコマンドの引数が正しくありません");
    if (path.empty())
        throw Refusal("ファイルに保存されていない文書は再生できません");
    const char* viewer = std::getenv("NIMBREL_VIEWER");
    return { viewer != nullptr && *viewer != '\0' ? viewer : "nimbrel", option, value, path };
}

void runPlayCommand(
    const nlohmann::json& params, const std::function<void(const std::vector<std::string>&)>& launch)
{
    if (params.value("command", std::string()) != kPlayCommand)
        throw Refusal("知らないコマンドです: " + params.value("command", std::string()));
    launch(playArguments(params.value("arguments", nlohmann::json::array())));
}

void launchDetached(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    // The grandchild reports a failed exec through the pipe; a successful
    // exec closes it unwritten.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        throw Refusal(std::string("ビューアを起動できません: ") + std::strerror(errno));
    const pid_t child = fork();
    if (child == 0) {
        setsid();
        if (fork() != 0)
            _exit(0);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        execvp(argv[0], argv.data());
        const int error = errno;
        (void)!write(report[1], &error, sizeof error);
        _exit(127);
    }
    close(report[1]);
    int error = 0;
    const bool failed = child < 0 || read(report[0], &error, sizeof error) == sizeof error;
    close(report[0]);
    if (child > 0)
        waitpid(child, nullptr, 0);
    if (failed)
        throw Refusal("ビューア " + arguments.front()
            + " を起動できません: " + std::strerror(child < 0 ? errno : error));
}

} // namespace lsp
