#pragma once

#include "BmpWriter.h"
#include "picture/Graphics.h"

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>
#include <vector>

namespace bmptest {

// Draws a graphic at (0, 0) onto a canvas over a 32-bit context of the
// graphic's size and returns the colours, top row first.
inline std::vector<std::uint32_t> drawn(TGraphic& graphic)
{
    auto dc = platform::CreateCompatibleDC();
    platform::BitmapInfo info;
    info.header.biWidth = graphic.Width();
    info.header.biHeight = -graphic.Height();
    info.header.biBitCount = 32;
    const platform::HBITMAP target = platform::CreateDIBSection(info);
    EXPECT_TRUE(target);
    if (!target)
        return {};
    dc->selectBitmap(target);
    TCanvas canvas;
    canvas.SetHandle(dc.get());
    canvas.DrawGraphic(0, 0, &graphic);
    std::vector<std::uint32_t> colors;
    for (std::int32_t y = 0; y < target->height(); ++y)
        for (std::int32_t x = 0; x < target->width(); ++x)
            colors.push_back(target->colorAt(x, y));
    return colors;
}

inline void loadBitmap(TBitmap& bitmap, const Bytes& file)
{
    TBytesStream stream(file);
    bitmap.LoadFromStream(stream);
}

// The exception a call raises: its class name and message; empty when none.
template <typename F> std::pair<std::string, std::string> failureOf(F&& call)
{
    try {
        call();
    } catch (const Exception& e) {
        return { typeid(e).name(), e.Message() };
    }
    return {};
}

template <typename E> std::pair<std::string, std::string> failure(const std::string& message)
{
    return { typeid(E).name(), message };
}

} // namespace bmptest
