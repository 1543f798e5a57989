// The report of a loaded character: taken from the bytes the load read,
// valid HTML whatever the file holds, and no paths of this machine.

#include "character/BmpFile.h"
#include "character/LoadProcedure.h"
#include "display/DXDraws.h"
#include "export/Report.h"
#include "playback/HeadlessForm.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class Report : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "nimbrel-report-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(m_dir / name, std::ios::binary | std::ios::trunc) << bytes;
        return (m_dir / name).string();
    }
    std::string page(const std::string& path, TDirectDrawSurface* sheet = nullptr)
    {
        character::fileload(path, *m_state, m_form, sheet);
        return exporter::reportHtml(exporter::ReportInput { "名前", path, m_state.get(), sheet, &m_draw });
    }

    fs::path m_dir;
    playback::HeadlessForm m_form;
    std::unique_ptr<character::CharacterState> m_state = std::make_unique<character::CharacterState>();
    TDirectDraw m_draw;
};

TEST_F(Report, ItShowsTheBytesThatWereLoadedNotTheFileAsItIsNow)
{
    const std::string path = write("def.txt", "#CHARNAME Loaded\r\n#01 0 0 10 10\r\n");
    character::fileload(path, *m_state, m_form, nullptr);
    write("def.txt", "#CHARNAME Edited\r\n#01 0 0 10 10 #PATERN 01 0Z\r\n");
    const std::string html
        = exporter::reportHtml(exporter::ReportInput { "Loaded", path, m_state.get(), nullptr, &m_draw });
    EXPECT_NE(html.find("#CHARNAME Loaded"), std::string::npos);
    EXPECT_EQ(html.find("Edited"), std::string::npos);
    EXPECT_EQ(html.find("0Z"), std::string::npos);
}

// Values at the ends of the 32-bit range (the label's place overflowed),
// and bytes that are no HTML: the page stays valid.
TEST_F(Report, HostileValuesAndBytesGiveAValidPage)
{
    tabletest::writeBmp((m_dir / "sheet.bmp").string(), 8, 8, [](int, int) { return 0x123456u; });
    const std::string path = write("def.txt",
        "#CHARNAME a\x1a\x1b[2Jname\x7f\r\n#CHARBMP sheet.bmp\r\n#03 2147483647 2147483647 1 1\r\n"
        "#04 -2147483648 0 1 1\r\n");
    TDirectDrawSurface sheet(&m_draw);
    const std::string html = page(path, &sheet);
    EXPECT_NE(html.find("x=\"2147483649\""), std::string::npos);
    EXPECT_NE(html.find("y=\"2147483658\""), std::string::npos);
    EXPECT_NE(html.find("a␚␛[2Jname␡"), std::string::npos);
    for (const char c : html) {
        const auto byte = static_cast<unsigned char>(c);
        EXPECT_FALSE((byte < 0x20 && c != '\t' && c != '\n' && c != '\r') || byte == 0x7F) << int(byte);
    }
}

TEST_F(Report, ASharedPageNamesTheFilesAsTheDefinitionWritesThem)
{
    fs::create_directories(m_dir / "img");
    const std::string path = write("def.txt", "#CHARNAME Sample\r\n#CHARBMP img\\sheet.bmp\r\n");
    const std::string html = page(path);
    EXPECT_EQ(html.find(m_dir.string()), std::string::npos);
    EXPECT_NE(html.find("<dd>def.txt</dd>"), std::string::npos);
    EXPECT_NE(html.find("<dd>img\\sheet.bmp"), std::string::npos);
    // The missing sheet's finding names it without the folder.
    EXPECT_NE(html.find("ファイル img/sheet.bmp は開けません"), std::string::npos);
}

} // namespace
