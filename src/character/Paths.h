#pragma once

// Paths of the files a load reads. Definition files come from systems whose
// folders are separated by "\" and whose file names ignore case; the sheet
// name is read the way such a file meant it.

#include <string>
#include <string_view>

namespace character {

// The folder of a definition file: the path up to and including its last
// "/", or empty for a bare file name (the current folder).
std::string definitionFolder(std::string_view definitionPath);

// The path of a sheet named in a definition file: the name joined to the
// folder with every "\" made a "/". Where a component of the name does not
// exist with that exact case, an entry of the same folder whose name differs
// only in ASCII case is used instead. A name that matches nothing is returned
// as joined, so the failure names the file the definition asked for.
std::string sheetPath(std::string_view folder, std::string_view sheetName);

} // namespace character
