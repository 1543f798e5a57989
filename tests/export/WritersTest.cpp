#include "character/CharacterTables.h"
#include "export/AtomicFile.h"
#include "export/DefinitionListing.h"
#include "export/ExportConsts.h"
#include "export/Html.h"
#include "export/OnceThrough.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class ScratchFolder {
public:
    ScratchFolder()
        : m_path(fs::temp_directory_path() / ("nimbrel_export_" + std::to_string(getpid())))
    {
        fs::create_directories(m_path);
    }
    ~ScratchFolder() { fs::remove_all(m_path); }
    std::string file(const std::string& name) const { return (m_path / name).string(); }
    std::size_t entries() const
    {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(m_path), fs::directory_iterator()));
    }
    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(file(name), std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) const
    {
        std::ifstream in(file(name), std::ios::binary);
        return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    }

private:
    fs::path m_path;
};

std::span<const std::uint8_t> bytesOf(const std::string& text)
{
    return { reinterpret_cast<const std::uint8_t*>(text.data()), text.size() };
}

TEST(AtomicFile, ReplacesWholeOrLeavesEverythingAsItWas)
{
    const ScratchFolder folder;
    folder.write("old.gif", "old");
    exporter::writeFileAtomically(folder.file("old.gif"), bytesOf("new contents"));
    EXPECT_EQ(folder.read("old.gif"), "new contents");
    EXPECT_EQ(folder.entries(), 1u);
    EXPECT_EQ(fs::status(folder.file("old.gif")).permissions() & fs::perms::others_read,
        fs::status(folder.file(".")).permissions() & fs::perms::others_read);

    // A missing folder, and a folder in the way of the file.
    fs::create_directory(folder.file("taken"));
    for (const std::string& path : { folder.file("no/such/folder.gif"), folder.file("taken") }) {
        try {
            exporter::writeFileAtomically(path, bytesOf("x"));
            ADD_FAILURE() << path;
        } catch (const exporter::EFCreateError& error) {
            EXPECT_EQ(error.Message(), path + " を作成できません");
        }
    }
    EXPECT_TRUE(fs::is_directory(folder.file("taken")));
    EXPECT_EQ(folder.entries(), 2u); // no temporary file left behind
}

TEST(DefinitionListing, FindsTheLineThatDefinedEachPatternAsTheLoadReadsIt)
{
    const ScratchFolder folder;
    folder.write("def.txt",
        "#CHARNAME \x83\x65\x83\x58\x83\x67\r\n" // テスト in Shift-JIS
        "#10 1 2 3 4\r\n" // decimal numbering: pattern 10
        "#12 1 2 3 4\r\n"
        "#DATA 16\r\n"
        "#12 5 6 7 8\r\n" // hexadecimal from here: pattern 18
        "#0c 1 1 1 1\r\n"
        "#0c 2 2 2 2 again\r\n"
        "#PATERN 01 0G\r\n" // the load stops here
        "#0D 1 1 1 1\r\n");
    const exporter::DefinitionListing listing = exporter::readDefinitionListing(folder.file("def.txt"));
    ASSERT_TRUE(listing.readable);
    ASSERT_EQ(listing.lines.size(), 9u);
    EXPECT_EQ(listing.lines[0], "#CHARNAME テスト");
    EXPECT_EQ(listing.patternLine[10], 2);
    EXPECT_EQ(listing.patternLine[12], 7);
    EXPECT_EQ(listing.patternLine[18], 5);
    EXPECT_EQ(listing.patternLine[13], 0);
    EXPECT_EQ(listing.patternLine[0], 0);

    EXPECT_FALSE(exporter::readDefinitionListing(folder.file("missing.txt")).readable);
}

TEST(Html, EscapesMarkupAndKeepsThePageValidUtf8)
{
    EXPECT_EQ(
        exporter::escapeHtml("<a href=\"x\">&'</a>"), "&lt;a href=&quot;x&quot;&gt;&amp;&#39;&lt;/a&gt;");
    EXPECT_EQ(exporter::escapeHtml("名前\xFF!"), "名前\xEF\xBF\xBD!");
    const std::string texts[] = { "", "f", "fo", "foo", "foob", "fooba", "foobar" };
    const std::string coded[] = { "", "Zg==", "Zm8=", "Zm9v", "Zm9vYg==", "Zm9vYmE=", "Zm9vYmFy" };
    for (std::size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(exporter::base64(bytesOf(texts[i])), coded[i]);
    EXPECT_EQ(exporter::base64(std::vector<std::uint8_t> { 0xFB, 0xFF }), "+/8=");
}

TEST(OnceThrough, EndsBeforeTheFirstIndexWithNeitherBaseNorLayer)
{
    auto tables = std::make_unique<character::CharacterTables>();
    for (auto* table : { &tables->base, &tables->layer, &tables->placement })
        for (auto& row : *table)
            row.fill(character::kEmptySlot);
    for (int i = 1; i <= 5; ++i)
        tables->base[4][static_cast<std::size_t>(i)] = 2;
    tables->layer[6][1] = 3; // a frame with only a layer still counts
    tables->base[6][2] = 2;
    tables->base[6][4] = 2; // after the end: never reached
    tables->base[7][2] = 2; // slot 1 empty: no frames at all
    tables->base[8].fill(2); // a full row ends after slot 255
    EXPECT_EQ(tables->frameCount(4), 5);
    EXPECT_EQ(tables->frameCount(6), 2);
    EXPECT_EQ(tables->frameCount(7), 0);
    EXPECT_EQ(tables->frameCount(8), 255);
    EXPECT_EQ(tables->frameCount(31), 0);
}

} // namespace
