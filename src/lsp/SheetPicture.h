#pragma once

// A sheet's pixels, loaded as the window loads them (the display's format,
// the bottom-right pixel as the colour key), for what needs more than the
// sheet's size: the picture of a pattern on hover and the slicer's search
// for sprites that no line cuts yet.

#include "closeup/SurfaceImage.h"
#include "lsp/Index.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lsp {

// Null when the sheet cannot be read or holds nothing.
std::shared_ptr<const closeup::SurfaceImage> loadSheetPicture(const std::string& path);

// A PNG data URI of the rectangle, enlarged when small; empty when the
// rectangle holds nothing of the sheet or is too large to show.
std::string patternPictureUri(const closeup::SurfaceImage& sheet, const PatternDefinition& pattern);

// The pattern lines of the sprites that no pattern line of the text cuts,
// numbered in the text's numbering, in reading order.
std::vector<std::string> missingPatternLines(const closeup::SurfaceImage& sheet, const Index& index);

} // namespace lsp
