#pragma once

// The pieces of a self-contained HTML page: text escaped for elements and
// attributes, and images inline as data URIs, so that the page needs nothing
// beside itself.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace exporter {

// Escapes &, <, >, " and ' ; text that is not valid UTF-8 has its bad bytes
// replaced by U+FFFD, so the page always is.
std::string escapeHtml(std::string_view text);

std::string base64(std::span<const std::uint8_t> bytes);

// "data:<type>;base64,..."
std::string dataUri(std::string_view mediaType, std::span<const std::uint8_t> bytes);

} // namespace exporter
