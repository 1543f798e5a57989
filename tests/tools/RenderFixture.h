#pragma once

// A small character made in the test: a 16 × 8 sheet with a background, two
// poses, an effect and the transparent colour in its bottom-right corner,
// and a definition file that plays the poses as animation 1 and, with the
// effect over them, as the one-shot animation 6.

#include "JsonValue.h"
#include "RenderRun.h"
#include "picture/BmpWriter.h"

#include <gtest/gtest.h>
#include <string>

namespace rendertest {

inline constexpr std::uint32_t kBlue = 0x0000FF;
inline constexpr std::uint32_t kGreen = 0x00FF00;
inline constexpr std::uint32_t kWhite = 0xFFFFFF;
inline constexpr std::uint32_t kRed = 0xFF0000;
inline constexpr std::uint32_t kKey = 0xFF00FF;
inline constexpr int kFrameWidth = 121;
inline constexpr int kFrameHeight = 271;

inline std::uint32_t sheetPixel(std::int32_t x, std::int32_t y)
{
    if (x < 8)
        return kBlue; // pattern 1, the background
    if (y < 4) {
        if (x == 9 && y == 1)
            return kKey; // a hole in pose 2
        return x < 12 ? kGreen : kWhite; // poses 2 and 3
    }
    if (x < 10 && y < 6)
        return kRed; // the effect, pattern 4
    return kKey;
}

inline std::vector<std::uint8_t> sheetBmp()
{
    bmptest::BmpImage image;
    image.width = 16;
    image.height = 8;
    image.bitCount = 24;
    image.pixels = bmptest::packRows(16, 8, 24, sheetPixel);
    return bmptest::writeBmp(image);
}

// The definition file; `name` is the name line's value, as bytes.
inline std::string definition(const std::string& name = "Tester")
{
    return "#CHARNAME " + name
        + "\r\n"
          "#ANIME 50\r\n"
          "#DATA 16\r\n"
          "#CHARBMP sheet.bmp\r\n"
          "#01 0 0 8 8\r\n"
          "#02 8 0 4 4\r\n"
          "#03 12 0 4 4\r\n"
          "#04 8 4 2 2\r\n"
          "#05 20 30 2 2\r\n"
          "#PATERN 01 0203\r\n"
          "#PATERN 06 0302\r\n"
          "#LAYER 06 0404 0505\r\n";
}

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.write("sheet.bmp", sheetBmp());
        folder.write("def.txt", definition());
    }

    RunResult run(const std::vector<std::string>& arguments) const { return folder.run(arguments); }

    // The JSON values of the output lines; fails the test on a line that
    // is not valid JSON.
    static std::vector<JsonValue> jsonLines(const RunResult& result)
    {
        std::vector<JsonValue> values;
        for (const std::string& line : result.outLines()) {
            std::optional<JsonValue> value = parseJson(line);
            EXPECT_TRUE(value.has_value()) << line;
            if (value)
                values.push_back(std::move(*value));
        }
        return values;
    }

    ScratchFolder folder;
};

} // namespace rendertest
