#include "BitmapTestSupport.h"
#include "picture/DIB.h"
#include "picture/PicturePreload.h"
#include "picture/QvDIB.h"

#include <filesystem>
#include <fstream>
#include <future>

using namespace bmptest;
namespace fs = std::filesystem;

namespace {

class PictureFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("nimbrel-picture-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string write(const std::string& name, const Bytes& bytes)
    {
        const fs::path path = m_dir / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path.string();
    }

    static Bytes sheet(std::int32_t width)
    {
        BmpImage s;
        s.width = width;
        s.pixels = packRows(width, 1, 24, [](std::int32_t, std::int32_t) { return 0x102030u; });
        return writeBmp(s);
    }

    fs::path m_dir;
};

std::string unknown(const std::string& extension)
{
    return platform::format(picture::kSUnknownExtension, { extension });
}

} // namespace

TEST(GraphicExtension, LastDelimiterDecides)
{
    const std::pair<const char*, const char*> cases[] = {
        { "sheet.bmp", "bmp" },
        { "dir/Sheet.BMP", "BMP" },
        { "C:\\old.set\\sheet", "" },
        { "/home/a.b/sheet", "" },
        { "C:sheet", "" },
        { "a.b.dib", "dib" },
        { "sheet.", "" },
        { "sheet", "" },
        { "", "" },
        // Shift-JIS: the second byte of 0x95 0x5C is no backslash.
        { "\x95\x5C.bmp", "bmp" },
        { "a.\x95\x5C", "\x95\x5C" },
    };
    for (const auto& [path, extension] : cases)
        EXPECT_EQ(GraphicExtension(path), extension) << path;
}

TEST(FileFormats, HoldsTheProgramsEntriesInOrder)
{
    const auto& entries = GetFileFormats().Entries();
    ASSERT_GE(entries.size(), 6u);
    const std::tuple<const char*, const char*, TGraphicClass> expected[] = {
        { "wmf", "メタファイル", TMetafile::StaticClass() },
        { "emf", "エンハンス メタファイル", TMetafile::StaticClass() },
        { "ico", "アイコン", TIcon::StaticClass() },
        { "bmp", "ビットマップ", TBitmap::StaticClass() },
        { "dib", "Device Independent Bitmap", TQvDIB::StaticClass() },
        { "dib", "Device Independent Bitmap", TDIB::StaticClass() },
    };
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(entries[i].Extension, std::get<0>(expected[i])) << i;
        EXPECT_EQ(entries[i].Description, std::get<1>(expected[i])) << i;
        EXPECT_EQ(entries[i].GraphicClass, std::get<2>(expected[i])) << i;
        EXPECT_EQ(entries[i].DescriptionId, 0);
    }
}

TEST(FileFormats, LaterRegistrationWinsAndCaseIsIgnored)
{
    TFileFormatsList list;
    EXPECT_EQ(list.FindGraphicClass("BmP"), TBitmap::StaticClass());
    EXPECT_EQ(list.FindGraphicClass("png"), nullptr);
    EXPECT_EQ(list.FindGraphicClass(""), nullptr);
    list.Add("BMP", "again", 0, TIcon::StaticClass());
    EXPECT_EQ(list.Entries().back().Extension, "bmp");
    EXPECT_EQ(list.FindGraphicClass("bmp"), TIcon::StaticClass());
    list.Remove(TIcon::StaticClass());
    EXPECT_EQ(list.FindGraphicClass("bmp"), TBitmap::StaticClass());
    EXPECT_EQ(list.FindGraphicClass("ico"), nullptr);
    EXPECT_EQ(GetFileFormats().FindGraphicClass("DIB"), TDIB::StaticClass());
}

TEST(FileFormats, UnregisteringAClassTakesItsDescendants)
{
    const TGraphicClassInfo base { "TBase", nullptr, nullptr };
    const TGraphicClassInfo derived { "TDerived", &base, nullptr };
    TFileFormatsList list;
    list.Add("aaa", "", 0, &derived);
    list.Add("bbb", "", 0, &base);
    list.Remove(&base);
    EXPECT_EQ(list.FindGraphicClass("aaa"), nullptr);
    EXPECT_EQ(list.FindGraphicClass("bbb"), nullptr);
    EXPECT_EQ(list.Entries().size(), 4u);
}

TEST_F(PictureFiles, ChoosesTheClassByExtensionWhateverItsCase)
{
    for (const char* name : { "Sheet.BMP", "sheet.Bmp", "sheet.bmp" }) {
        TPicture picture;
        picture.LoadFromFile(write(name, sheet(3)));
        ASSERT_TRUE(picture.Graphic()) << name;
        EXPECT_EQ(picture.Graphic()->ClassType(), TBitmap::StaticClass()) << name;
        EXPECT_EQ(picture.Graphic()->Width(), 3);
    }
    TPicture picture;
    picture.LoadFromFile(write("sheet.dib", sheet(3)));
    EXPECT_EQ(picture.Graphic()->ClassType(), TDIB::StaticClass());
}

TEST_F(PictureFiles, UnknownExtensionsFailNamingTheExtensionAsWritten)
{
    const std::pair<std::string, std::string> cases[] = {
        { write("sheet.PNG", sheet(1)), "PNG" },
        { write("sheet", sheet(1)), "" },
        { (m_dir / "missing.Gif").string(), "Gif" },
    };
    for (const auto& [path, extension] : cases) {
        TPicture picture;
        EXPECT_EQ(
            failureOf([&] { picture.LoadFromFile(path); }), failure<EInvalidGraphic>(unknown(extension)))
            << path;
    }
}

TEST_F(PictureFiles, IconsAndMetafilesAreNotReadHere)
{
    for (const char* name : { "a.ico", "a.WMF", "a.emf" }) {
        TPicture picture;
        const std::string ext = GraphicExtension(name);
        EXPECT_EQ(failureOf([&] { picture.LoadFromFile(write(name, sheet(1))); }),
            failure<EInvalidGraphic>(unknown(ext)))
            << name;
    }
}

TEST_F(PictureFiles, FailedLoadKeepsThePreviousGraphic)
{
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&changes](TPicture&) { ++changes; };
    picture.LoadFromFile(write("good.bmp", sheet(4)));
    EXPECT_EQ(changes, 1);
    TGraphic* before = picture.Graphic();
    Bytes bad = sheet(2);
    bad[1] = 'X';
    EXPECT_EQ(failureOf([&] { picture.LoadFromFile(write("bad.bmp", bad)); }),
        failure<EInvalidGraphic>(picture::kSInvalidBitmap));
    const std::string missing = (m_dir / "nothing.bmp").string();
    EXPECT_EQ(failureOf([&] { picture.LoadFromFile(missing); }),
        failure<EFOpenError>(platform::format(platform::kSFOpenError, { missing })));
    EXPECT_EQ(picture.Graphic(), before);
    EXPECT_EQ(picture.Graphic()->Width(), 4);
    EXPECT_EQ(changes, 1);
}

TEST_F(PictureFiles, FileSizeIsTheSizeAndErrorOfTheLoad)
{
    BmpImage topDown;
    topDown.width = 3;
    topDown.height = -2;
    topDown.pixels = packRows(
        3, 2, 24, [](std::int32_t, std::int32_t) { return 0u; }, true);
    BmpImage rle;
    rle.width = 5;
    rle.height = 3;
    rle.bitCount = 8;
    rle.compression = platform::BI_RLE8;
    rle.colorsUsed = 1;
    rle.colors = { Color {} };
    rle.pixels = encodeRle(5, 3, 8, [](std::int32_t, std::int32_t) { return 0u; });
    Bytes cut = sheet(40);
    cut.resize(cut.size() - 50);
    Bytes bad = sheet(2);
    bad[0] = 'X';
    const std::string paths[]
        = { write("a.bmp", sheet(7)), write("b.BMP", writeBmp(topDown)), write("c.bmp", writeBmp(rle)),
              write("d.bmp", cut), write("e.bmp", {}), write("f.dib", sheet(4)), write("g.bmp", bad),
              write("h.bmp", { 'B', 'M', 0 }), write("i.ico", sheet(1)), (m_dir / "none.bmp").string() };
    for (const std::string& path : paths) {
        TPicture picture;
        const auto loadFailure = failureOf([&] { picture.LoadFromFile(path); });
        TGraphicSize size { -1, -1 };
        EXPECT_EQ(failureOf([&] { size = TPicture::FileSize(path); }), loadFailure) << path;
        if (loadFailure.first.empty()) {
            EXPECT_EQ(size.Width, picture.Graphic()->Width()) << path;
            EXPECT_EQ(size.Height, picture.Graphic()->Height()) << path;
        }
    }
}

TEST_F(PictureFiles, ZeroByteAndTinyFiles)
{
    TPicture picture;
    picture.LoadFromFile(write("empty.bmp", {}));
    ASSERT_TRUE(picture.Graphic());
    EXPECT_TRUE(picture.Graphic()->Empty());
    EXPECT_EQ(failureOf([&] {
        picture.LoadFromFile(write("tiny.bmp", { 'B', 'M', 0 }));
    }),
        failure<EReadError>(platform::kSReadError));
}

TEST_F(PictureFiles, AReadAheadIsTakenOnceAndOnlyForTheSameUnchangedFile)
{
    const std::string path = write("sheet.bmp", sheet(3));
    const auto readAheadOf = [](const std::string& name) { return [name] { return name; }; };
    {
        picture::PicturePreload preload(readAheadOf(path));
        EXPECT_FALSE(picture::takePreloadedPicture((m_dir / "other.bmp").string()));
        // The first load ends the read ahead, whichever file it loads.
        EXPECT_FALSE(picture::takePreloadedPicture(path));
    }
    {
        picture::PicturePreload preload(readAheadOf(path));
        const std::unique_ptr<TGraphic> taken = picture::takePreloadedPicture(path);
        ASSERT_TRUE(taken);
        EXPECT_EQ(taken->Width(), 3);
    }
    {
        // Saved again after the read ahead: the load reads the new file.
        std::promise<void> read;
        picture::PicturePreload preload(readAheadOf(path), [&read](const TGraphic&) { read.set_value(); });
        read.get_future().wait();
        write("sheet.bmp", sheet(5));
        TPicture picture;
        picture.LoadFromFile(path);
        EXPECT_EQ(picture.Graphic()->Width(), 5);
    }
    // A file that fails fails the load with the load's own error.
    Bytes bad = sheet(2);
    bad[1] = 'X';
    write("sheet.bmp", bad);
    picture::PicturePreload preload(readAheadOf(path));
    TPicture picture;
    EXPECT_EQ(
        failureOf([&] { picture.LoadFromFile(path); }), failure<EInvalidGraphic>(picture::kSInvalidBitmap));
}
