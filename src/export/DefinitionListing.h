#pragma once

// The definition file as the report lists it: its lines, shown as UTF-8 (or
// read as Shift-JIS when they are not), and for every pattern the line that
// defined it last, as the definition reader itself places it, so that the
// report and the load can never disagree on it.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace exporter {

struct DefinitionListing {
    bool readable = false;
    std::vector<std::string> lines;
    // Line numbers from 1; 0 where no line defined the pattern. Lines after
    // the first failing one count for nothing, as the load stops there.
    std::array<int, 256> patternLine {};
    // The sheet name as the last sheet line before any failing one writes
    // it, as UTF-8; empty without one.
    std::string sheetName;
};

// The listing of the bytes that a load read.
DefinitionListing definitionListing(std::span<const std::uint8_t> text);

// Never raises: a file that cannot be read gives an unreadable listing.
DefinitionListing readDefinitionListing(const std::string& path);

} // namespace exporter
