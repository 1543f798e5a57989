#pragma once

// One problem of a definition file, found by the checker: where it is, how
// bad it is, a stable code and the message in the window's words.

#include "character/DefinitionReader.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace check {

enum class Severity { error, warning };

struct Diagnostic {
    Severity severity = Severity::warning;
    std::string_view code; // one of the codes in CheckMessages.h
    std::string message; // UTF-8
    // Line 0 is the file as a whole (no line to show); columns count bytes.
    character::SourceRange at;
};

struct Report {
    std::vector<Diagnostic> diagnostics; // by line, then column

    std::size_t count(Severity severity) const
    {
        std::size_t n = 0;
        for (const Diagnostic& d : diagnostics)
            n += d.severity == severity ? 1 : 0;
        return n;
    }
};

} // namespace check
