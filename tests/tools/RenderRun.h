#pragma once

// Runs the built nimbrel-render as a separate process, the way a character
// author or a script would, in a scratch folder of its own.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace rendertest {

struct RunResult {
    int status = -1; // the exit status; -1 when the process did not exit normally
    std::string out;
    std::string err;

    std::vector<std::string> outLines() const;
    std::vector<std::string> errLines() const;
};

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }
    std::string write(const std::string& name, const std::string& bytes) const;
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;

    // Runs the driver with these arguments, from this folder.
    RunResult run(const std::vector<std::string>& arguments) const;
    // Runs any program so, found by its path.
    RunResult runProgram(const std::string& program, const std::vector<std::string>& arguments) const;

private:
    std::filesystem::path m_path;
};

// An 8-bit RGB image, as the strip's PNG decodes.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    // 0x00RRGGBB of a pixel.
    std::uint32_t at(int x, int y) const;
};

// Any file stb_image reads (PNG, BMP); an empty image when it cannot.
RgbImage readImage(const std::string& path);

} // namespace rendertest
