#pragma once

// A line of a definition file as a report shows it: decoded as the window
// decodes names (valid UTF-8 as it is, anything else as Shift-JIS), tabs
// expanded to a fixed stop, control characters made visible, and for every
// byte the display cell it starts at, so that the caret line below it is
// drawn from the same map.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace check {

inline constexpr std::size_t kTabStop = 8;

struct ShownLine {
    std::string text; // UTF-8
    // One per byte, and one for the end; 32 bits hold the cells of any line
    // a definition file can have, at half the memory of a report's long lines.
    std::vector<std::uint32_t> cellOfByte;
};

ShownLine showLine(std::string_view bytes);

// "^" under the first column, "~" under the rest of [column, endColumn);
// columns past the end of the line count one cell each.
std::string caretLine(const ShownLine& line, std::size_t column, std::size_t endColumn);
void appendCaretLine(std::string& out, const ShownLine& line, std::size_t column, std::size_t endColumn);

} // namespace check
