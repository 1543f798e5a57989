#pragma once

// The sections of the report page, each appended to the page text.

#include "export/DefinitionListing.h"
#include "export/Image.h"
#include "export/Report.h"

#include <cstdint>
#include <string>

namespace exporter::report {

// A picture as a data URI, lossless: a GIF when its colours fit, else a PNG.
std::string imageUri(const Image& image);

void appendSheet(std::string& page, const ReportInput& input, const DefinitionListing& listing);
// The checker's findings, each linking to its line of the listing.
void appendDiagnostics(std::string& page, const ReportInput& input, std::size_t listedLines);
// The number of animation sections written.
int appendAnimations(std::string& page, const ReportInput& input);

} // namespace exporter::report
