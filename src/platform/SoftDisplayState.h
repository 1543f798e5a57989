#pragma once

// What the display object and its surfaces share: the pixel format, the
// screen's size and the memory charged to each pool.

#include "platform/SoftDisplay.h"

#include <memory>
#include <vector>

namespace platform {

struct SoftDisplayState {
    PixelFormat format;
    std::int32_t screenWidth = 1920;
    std::int32_t screenHeight = 1080;
    std::uint64_t videoUsed = 0;
    std::uint64_t systemUsed = 0;
    std::vector<std::weak_ptr<SoftSurface>> surfaces;
};

// The part of `rect` inside `bounds`; empty (right <= left) when none.
inline TRect intersect(const TRect& a, const TRect& b)
{
    return TRect { std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
        std::min(a.Bottom, b.Bottom) };
}

inline bool isEmpty(const TRect& r)
{
    return r.Right <= r.Left || r.Bottom <= r.Top;
}

inline bool contains(const TRect& outer, const TRect& inner)
{
    return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right
        && inner.Bottom <= outer.Bottom;
}

} // namespace platform
