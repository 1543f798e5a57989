#pragma once

// Dynamic libraries. The system reaches its 2D display through an entry point
// looked up at run time; here the libraries are built in and registered by
// file name, matched without regard to ASCII case as file names are on the
// platform the system was written for.

#include <string_view>
#include <utility>
#include <vector>

namespace platform {

using FARPROC = void (*)();

struct LibraryExport {
    const char* name;
    FARPROC proc;
};

struct BuiltInLibrary;
using HMODULE = const BuiltInLibrary*;

// Null when no library of that name exists.
HMODULE loadLibrary(std::string_view fileName);
// Null when the library has no entry point of that name.
FARPROC getProcAddress(HMODULE module, std::string_view procName);
void freeLibrary(HMODULE module);

// Tests take a library away (as on a machine without it) or put one with
// other exports in place of the built-in one.
void hideLibraryForTesting(std::string_view fileName);
void replaceLibraryForTesting(std::string_view fileName, std::vector<LibraryExport> exports);
void restoreLibrariesForTesting();

} // namespace platform
