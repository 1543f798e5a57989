#pragma once

// The viewer's start reads the sheet that its definition file names while
// the window is still being built, and makes the memory of the sheet's
// surface ready; the load that follows takes both instead of waiting for
// them (picture::PicturePreload).

#include "picture/PicturePreload.h"

#include <optional>
#include <string>

namespace character {

class SheetPreload {
public:
    explicit SheetPreload(const std::string& definitionPath);
    // Waits for the reading; what no load took, picture and memory, is freed.
    ~SheetPreload();
    SheetPreload(const SheetPreload&) = delete;
    SheetPreload& operator=(const SheetPreload&) = delete;

private:
    std::optional<picture::PicturePreload> m_picture;
};

} // namespace character
