#pragma once

// What nimbrel-slice slices: the character as the window would load it from
// a definition file, or a bare sheet image with nothing defined yet.

#include "character/CharacterTables.h"
#include "closeup/SurfaceImage.h"

#include <string>

namespace slicetool {

inline constexpr const char* kSNoSheet = "シート画像が読み込まれていません";

struct LoadedSheet {
    character::CharacterState state;
    closeup::SurfaceImage sheet;
};

// Whether the path names a sheet image by its extension, as picture loading
// chooses its reader.
bool isSheetImage(const std::string& path);

// Raises the system's error when the file or its sheet cannot be read, and
// kSNoSheet when the file loads without a sheet.
LoadedSheet loadSheet(const std::string& path);

} // namespace slicetool
