#include "RenderRun.h"

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wpedantic"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

extern char** environ;

namespace rendertest {

namespace {

std::string readAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace

std::vector<std::string> RunResult::outLines() const
{
    return splitLines(out);
}
std::vector<std::string> RunResult::errLines() const
{
    return splitLines(err);
}

ScratchFolder::ScratchFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "nimbrel-render-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("no scratch folder");
    m_path = pattern;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string ScratchFolder::write(const std::string& name, const std::string& bytes) const
{
    const std::filesystem::path target = m_path / name;
    std::filesystem::create_directories(target.parent_path());
    std::ofstream(target, std::ios::binary | std::ios::trunc) << bytes;
    return target.string();
}

std::string ScratchFolder::write(const std::string& name, const std::vector<std::uint8_t>& bytes) const
{
    return write(name, std::string(bytes.begin(), bytes.end()));
}

RunResult ScratchFolder::run(const std::vector<std::string>& arguments) const
{
    return runProgram(NIMBREL_RENDER_BINARY, arguments);
}

RunResult ScratchFolder::runProgram(const std::string& path, const std::vector<std::string>& arguments) const
{
    const std::string outPath = (m_path / ".stdout").string();
    const std::string errPath = (m_path / ".stderr").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, m_path.c_str());
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);

    std::vector<char*> argv;
    std::string program = path;
    argv.push_back(program.data());
    std::vector<std::string> copies(arguments);
    for (std::string& argument : copies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    RunResult result;
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + program);
    int status = 0;
    waitpid(child, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = readAll(outPath);
    result.err = readAll(errPath);
    return result;
}

std::uint32_t RgbImage::at(int x, int y) const
{
    const std::size_t i
        = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3;
    return (std::uint32_t { pixels.at(i) } << 16) | (std::uint32_t { pixels.at(i + 1) } << 8)
        | pixels.at(i + 2);
}

RgbImage readImage(const std::string& path)
{
    RgbImage image;
    int channels = 0;
    stbi_uc* data = stbi_load(path.c_str(), &image.width, &image.height, &channels, 3);
    if (data == nullptr)
        return RgbImage {};
    image.pixels.assign(
        data, data + static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3);
    stbi_image_free(data);
    return image;
}

} // namespace rendertest
