#include "BitmapTestSupport.h"

using namespace bmptest;

namespace {

class RecordingCanvas : public TCanvas {
public:
    std::vector<std::string> events;
    platform::HDC madeContext = nullptr;

protected:
    void CreateHandle() override
    {
        events.push_back("create");
        if (madeContext)
            SetHandle(madeContext);
    }
};

std::unique_ptr<platform::DeviceContext> contextOver(std::int32_t w, std::int32_t h, std::uint16_t bits = 32)
{
    auto dc = platform::CreateCompatibleDC();
    platform::BitmapInfo info;
    info.header.biWidth = w;
    info.header.biHeight = h;
    info.header.biBitCount = bits;
    dc->selectBitmap(platform::CreateDIBSection(info));
    return dc;
}

Bytes twoPixels()
{
    BmpImage s;
    s.width = 2;
    s.pixels = { 0x03, 0x02, 0x01, 0x06, 0x05, 0x04, 0, 0 };
    return writeBmp(s);
}

} // namespace

TEST(Canvas, HandleNotifiesFirstThenMakesTheContext)
{
    RecordingCanvas canvas;
    canvas.OnChanging = [&canvas](TCanvas&) { canvas.events.push_back("changing"); };
    EXPECT_EQ(failureOf([&] { canvas.Handle(); }), failure<EInvalidOperation>(kSNoCanvasHandle));
    EXPECT_EQ(canvas.events, (std::vector<std::string> { "changing", "create" }));

    auto dc = platform::CreateCompatibleDC();
    canvas.madeContext = dc.get();
    canvas.events.clear();
    EXPECT_EQ(canvas.Handle(), dc.get());
    EXPECT_EQ(canvas.Handle(), dc.get());
    EXPECT_EQ(canvas.events, (std::vector<std::string> { "changing", "create", "changing" }));
}

TEST(Canvas, DrawGraphicDrawsTheWholeGraphicAtThePoint)
{
    TBitmap bitmap;
    loadBitmap(bitmap, twoPixels());
    auto dc = contextOver(4, -2);
    TCanvas canvas;
    canvas.SetHandle(dc.get());
    canvas.Brush.Color = 0x112233;
    canvas.Font.Color = 0x445566;
    std::vector<std::string> events;
    canvas.OnChanging = [&events](TCanvas&) { events.push_back("changing"); };
    canvas.OnChange = [&events](TCanvas&) { events.push_back("change"); };
    canvas.DrawGraphic(1, 1, &bitmap);
    EXPECT_EQ(events, (std::vector<std::string> { "changing", "change" }));
    EXPECT_EQ(dc->setBkColor(0), 0x112233u);
    EXPECT_EQ(dc->setTextColor(0), 0x445566u);
    EXPECT_EQ(dc->stretchMode(), platform::COLORONCOLOR);
    EXPECT_EQ(dc->bitmap()->colorAt(1, 1), 0x010203u);
    EXPECT_EQ(dc->bitmap()->colorAt(2, 1), 0x040506u);
    EXPECT_EQ(dc->bitmap()->colorAt(0, 1), 0u);
    EXPECT_EQ(dc->bitmap()->colorAt(1, 0), 0u);

    events.clear();
    TBitmap empty;
    canvas.DrawGraphic(0, 0, &empty);
    canvas.DrawGraphic(0, 0, nullptr);
    EXPECT_TRUE(events.empty());
}

TEST(Canvas, StretchDrawAndCopyMode)
{
    TBitmap bitmap;
    loadBitmap(bitmap, twoPixels());
    auto dc = contextOver(4, 1);
    TCanvas canvas;
    canvas.SetHandle(dc.get());
    canvas.StretchDraw(TRect { 0, 0, 4, 1 }, &bitmap);
    const std::uint32_t expected[] = { 0x010203, 0x010203, 0x040506, 0x040506 };
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(dc->bitmap()->colorAt(x, 0), expected[x]) << x;

    auto other = contextOver(2, 1);
    canvas.SetHandle(other.get());
    canvas.CopyMode = 0x00EE0086; // only plain copies are supported: nothing lands
    canvas.DrawGraphic(0, 0, &bitmap);
    EXPECT_EQ(other->bitmap()->colorAt(0, 0), 0u);
}

TEST(Canvas, PaletteDestinationGetsHalftoneAndKeepsItsPalette)
{
    TBitmap bitmap;
    loadBitmap(bitmap, twoPixels());
    auto dc = contextOver(2, 1, 8);
    const platform::HPALETTE own = platform::CreatePalette(platform::systemPalette());
    dc->selectPalette(own, false);
    TCanvas canvas;
    canvas.SetHandle(dc.get());
    canvas.DrawGraphic(0, 0, &bitmap);
    EXPECT_EQ(dc->stretchMode(), platform::HALFTONE);
    EXPECT_EQ(dc->palette(), own);
}

TEST(Canvas, CopiedBitmapsShareOneImage)
{
    TBitmap a;
    loadBitmap(a, twoPixels());
    TBitmap b;
    b.Assign(a);
    EXPECT_EQ(&a.Image(), &b.Image());
    EXPECT_EQ(drawn(b), (std::vector<std::uint32_t> { 0x010203, 0x040506 }));
    loadBitmap(a, Bytes {});
    EXPECT_TRUE(a.Empty());
    EXPECT_EQ(drawn(b), (std::vector<std::uint32_t> { 0x010203, 0x040506 }));
}
