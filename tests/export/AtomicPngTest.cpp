// Outputs written whole or not at all, keeping what they replace, and PNG
// written a row at a time through libpng.

#include "export/AtomicFile.h"
#include "export/ExportConsts.h"
#include "export/PngEncoder.h"

#include <png.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class Outputs : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "nimbrel-out-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string file(const std::string& name) const { return (m_dir / name).string(); }
    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(file(name), std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) const
    {
        std::ifstream in(file(name), std::ios::binary);
        return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    }
    std::vector<std::string> names() const
    {
        std::vector<std::string> all;
        for (const auto& entry : fs::directory_iterator(m_dir))
            all.push_back(entry.path().filename().string());
        std::sort(all.begin(), all.end());
        return all;
    }
    static std::span<const std::uint8_t> bytesOf(const std::string& text)
    {
        return { reinterpret_cast<const std::uint8_t*>(text.data()), text.size() };
    }
    fs::path m_dir;
};

TEST_F(Outputs, AReplacedFileKeepsItsModeAndALinkIsWrittenThrough)
{
    write("private.gif", "old");
    ::chmod(file("private.gif").c_str(), 0600);
    exporter::writeFileAtomically(file("private.gif"), bytesOf("new"));
    struct stat st { };
    ASSERT_EQ(::stat(file("private.gif").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);

    write("target.html", "old");
    ASSERT_EQ(::symlink("target.html", file("link.html").c_str()), 0);
    exporter::writeFileAtomically(file("link.html"), bytesOf("through"));
    EXPECT_TRUE(fs::is_symlink(file("link.html")));
    EXPECT_EQ(read("target.html"), "through");

    // A final name of 255 bytes: the temporary name beside it still fits.
    const std::string longName(251, 'n');
    exporter::writeFileAtomically(file(longName + ".png"), bytesOf("long"));
    EXPECT_EQ(read(longName + ".png"), "long");
    EXPECT_EQ(
        names(), (std::vector<std::string> { "link.html", longName + ".png", "private.gif", "target.html" }));
}

TEST_F(Outputs, AnInterruptedWriteLeavesNoTemporaryFile)
{
    for (const int signal : { SIGINT, SIGTERM }) {
        SCOPED_TRACE(signal);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            exporter::AtomicFile output(file("strip.png"));
            output.write(bytesOf("half"));
            ::raise(signal);
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal);
        EXPECT_TRUE(names().empty());
    }
}

std::vector<std::uint32_t> decodePng(const std::string& path, std::int32_t& width, std::int32_t& height)
{
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr))
        return {};
    width = static_cast<std::int32_t>(image.width);
    height = static_cast<std::int32_t>(image.height);
    std::vector<std::uint32_t> pixels;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        pixels.push_back(std::uint32_t { rgb[i] } << 16 | std::uint32_t { rgb[i + 1] } << 8 | rgb[i + 2]);
    return pixels;
}

TEST_F(Outputs, APngIsWrittenRowByRowAndReadsBackExactly)
{
    exporter::Image image(3, 2);
    image.pixels = { 0x123456, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000 };
    exporter::writePng(file("a.png"), image);
    std::int32_t width = 0, height = 0;
    EXPECT_EQ(decodePng(file("a.png"), width, height), image.pixels);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
    const std::vector<std::uint8_t> bytes = exporter::encodePng(image);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), read("a.png"));
}

// Sizes no PNG reader takes are refused before anything is made, and an
// encode that fails half way (memory running out) leaves the old file.
TEST_F(Outputs, AFailedPngLeavesTheOldFileAndNoOther)
{
    write("s.png", "old");
    const auto black
        = [](std::int32_t, std::span<std::uint32_t> row) { std::fill(row.begin(), row.end(), 0); };
    const auto outOfMemory = [](std::int32_t y, std::span<std::uint32_t> row) {
        if (y == 5)
            throw std::bad_alloc();
        std::fill(row.begin(), row.end(), 0);
    };
    struct Case {
        std::int32_t width, height;
        exporter::PngRows rows;
    };
    const Case cases[] = {
        { 0, 10, black },
        { 10, -1, black },
        { 1'000'001, 1, black },
        { 1, 2'000'000'000, black },
        { 100, 10, outOfMemory },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        try {
            exporter::writePng(file("s.png"), c.width, c.height, c.rows);
            ADD_FAILURE() << "no failure";
        } catch (const exporter::EFCreateError& e) {
            EXPECT_EQ(e.Message(), file("s.png") + " を作成できません");
        }
        EXPECT_EQ(read("s.png"), "old");
        EXPECT_EQ(names(), std::vector<std::string> { "s.png" });
    }
    EXPECT_TRUE(exporter::encodePng(exporter::Image(1'000'001, 1)).empty());
}

// A disk that fills half way fails inside libpng, whose own handler printed
// its English text on stderr before our message.
TEST_F(Outputs, AFullDiskFailsThePngInOurWordsAlone)
{
    write("s.png", "old");
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::dup2(pipeEnds[1], STDERR_FILENO);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit full { 4096, 4096 };
        ::setrlimit(RLIMIT_FSIZE, &full);
        exporter::Image noise(200, 200);
        std::uint32_t seed = 1;
        for (std::uint32_t& pixel : noise.pixels)
            pixel = (seed = seed * 1664525u + 1013904223u) >> 8;
        try {
            exporter::writePng(file("s.png"), noise);
        } catch (const exporter::EFCreateError& e) {
            ::_exit(e.Message() == file("s.png") + " を作成できません" ? 0 : 2);
        }
        ::_exit(1);
    }
    ::close(pipeEnds[1]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    std::string printed;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        printed.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeEnds[0]);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(printed, "");
    EXPECT_EQ(read("s.png"), "old");
    EXPECT_EQ(names(), std::vector<std::string> { "s.png" });
}

} // namespace
