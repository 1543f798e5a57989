#pragma once

#include <cstdint>

// Rectangles are (left, top, right, bottom) with right and bottom exclusive.
struct TRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    std::int32_t width() const { return Right - Left; }
    std::int32_t height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};

struct TPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    bool operator==(const TPoint&) const = default;
};
