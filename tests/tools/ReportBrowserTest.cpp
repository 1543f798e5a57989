#include "RenderFixture.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <regex>
#include <set>

namespace rendertest {
namespace {

const std::string kSampleFolder = std::string(NIMBREL_SOURCE_DIR) + "/examples/sample";

std::string findBrowser()
{
    for (const char* path :
        { "/usr/bin/chromium-headless-shell", "/usr/lib/chromium/chromium-headless-shell" })
        if (std::filesystem::exists(path))
            return path;
    return {};
}

std::size_t countOf(const std::string& text, const std::string& what)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
        ++count;
    return count;
}

// The animations of the sample that have frames: every number that a base
// list or layer line names.
std::set<int> sampleAnimations()
{
    std::ifstream in(kSampleFolder + "/sample.txt");
    std::set<int> numbers;
    const std::regex list("^#(PATERN|LAYER) ([0-9]+)");
    for (std::string line; std::getline(in, line);) {
        std::smatch match;
        if (std::regex_search(line, match, list))
            numbers.insert(std::stoi(match[2]));
    }
    return numbers;
}

TEST_F(RenderTest, TheSampleReportRendersInAHeadlessBrowser)
{
    const std::string browser = findBrowser();
    if (browser.empty())
        GTEST_SKIP() << "chromium-headless-shell is not installed";
    ASSERT_EQ(run({ "--drop", kSampleFolder + "/sample.txt", "--report", "report.html" }).status, 0);

    // One browser run both dumps the DOM it built and takes the screenshot.
    const RunResult shown = folder.runProgram(browser,
        { "--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
            "--disable-component-update", "--disable-sync", "--no-first-run",
            "--user-data-dir=" + folder.file("profile"), "--window-size=1000,1400",
            "--screenshot=" + folder.file("shot.png"), "--dump-dom",
            "file://" + folder.file("report.html") });
    ASSERT_EQ(shown.status, 0) << shown.err;

    const std::string& dom = shown.out;
    const std::size_t animations = sampleAnimations().size();
    ASSERT_EQ(animations, 13u);
    EXPECT_NE(dom.find("<html lang=\"ja\">"), std::string::npos);
    EXPECT_EQ(countOf(dom, "<section class=\"animation\""), animations);
    // The sheet, then a GIF and a strip for every animation.
    EXPECT_EQ(countOf(dom, "<img "), 1 + 2 * animations);
    EXPECT_EQ(countOf(dom, "<img class=\"gif\" src=\"data:image/gif;base64,"), animations);
    EXPECT_NE(dom.find("アニメーション 6：喜び１"), std::string::npos);
    EXPECT_EQ(countOf(dom, "<span id=\"L"), countOf(dom, "<a class=\"n\""));
    EXPECT_NE(dom.find("<section id=\"diagnostics\">"), std::string::npos);

    // Not blank: a page of text and pictures has many colours, and the
    // sheet's sky blue and magenta key are among them.
    const RgbImage shot = readImage(folder.file("shot.png"));
    ASSERT_EQ(shot.width, 1000);
    ASSERT_EQ(shot.height, 1400);
    std::set<std::uint32_t> colours;
    for (int y = 0; y < shot.height; y += 3)
        for (int x = 0; x < shot.width; x += 3)
            colours.insert(shot.at(x, y));
    EXPECT_GT(colours.size(), 200u);
    EXPECT_TRUE(colours.count(kKey) == 1);
}

TEST_F(RenderTest, TheReportsFindingsLinkToTheirLinesOfTheListing)
{
    folder.write("bad.txt", definition("<b>&amp;") + "#PATERN 02 01G2\r\n");
    ASSERT_EQ(run({ "--drop", "bad.txt", "--report", "bad.html" }).status, 1); // the load fails too
    std::ifstream in(folder.file("bad.html"));
    const std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t findings = page.find("<section id=\"diagnostics\">");
    ASSERT_NE(findings, std::string::npos);
    const std::size_t link = page.find("<a href=\"#L13\">13 行", findings);
    ASSERT_NE(link, std::string::npos);
    EXPECT_NE(page.find("&#39;$G2&#39; は数値ではありません", link), std::string::npos);
    EXPECT_NE(page.find("<span id=\"L13\">"), std::string::npos);
    // The name is text, not markup.
    EXPECT_NE(page.find("<h1>&lt;b&gt;&amp;amp;</h1>"), std::string::npos);
    EXPECT_EQ(page.find("<b>&amp;"), std::string::npos);
}

} // namespace
} // namespace rendertest
