#pragma once

// The character name is taken from the definition file byte for byte; the
// window shows UTF-8. Files written for this tool are mostly Shift-JIS, newer
// ones UTF-8, so valid UTF-8 is shown as it is and anything else is read as
// CP932.

#include <string>
#include <string_view>

namespace character {

// Bytes that CP932 cannot decode become U+FFFD; this never fails.
std::string nameToUtf8(std::string_view bytes);

} // namespace character
