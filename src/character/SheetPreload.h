#pragma once

// The viewer's start reads the sheet that its definition file names while
// the window is still being built, and makes the memory of the sheet's
// surface ready; the load that follows takes both instead of waiting for
// them (picture::PicturePreload).

#include "picture/PicturePreload.h"

#include <memory>
#include <string>

namespace character {

std::unique_ptr<picture::PicturePreload> preloadSheetOf(const std::string& definitionPath);

} // namespace character
