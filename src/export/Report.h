#pragma once

// The character report: one self-contained HTML page (UTF-8, Japanese, every
// image inline, no script and nothing fetched from elsewhere) that shows a
// loaded character to someone who has not got the viewer: its values, the
// sheet with every pattern outlined, every animation with frames as an
// animated GIF and as a strip, the checker's findings and the definition
// file itself.

#include "character/CharacterTables.h"

#include <string>

class TDirectDraw;
class TDirectDrawSurface;

namespace exporter {

struct ReportInput {
    std::string name; // as the name label shows it
    std::string definitionPath;
    const character::CharacterState* state = nullptr;
    TDirectDrawSurface* sheet = nullptr; // may be null or hold nothing
    TDirectDraw* directDraw = nullptr; // where the frames are composed
};

std::string reportHtml(const ReportInput& input);

// Writes the page whole or not at all; raises EFCreateError.
void writeReport(const std::string& path, const ReportInput& input);

} // namespace exporter
