#include "platform/Library.h"

#include "platform/SoftDisplay.h"
#include "platform/Text.h"

#include <algorithm>
#include <string>

namespace platform {

struct BuiltInLibrary {
    std::string name; // lower case
    std::vector<LibraryExport> exports;
};

namespace {

// Libraries live for the whole run, so handles given out never dangle; a
// test that replaces a library parks the old entry instead of freeing it.
struct Registry {
    std::vector<std::unique_ptr<BuiltInLibrary>> all;
    std::vector<const BuiltInLibrary*> active;
};

std::vector<const BuiltInLibrary*> builtIns(Registry& registry)
{
    auto ddraw = std::make_unique<BuiltInLibrary>();
    ddraw->name = "ddraw.dll";
    ddraw->exports.push_back({ "DirectDrawCreate", reinterpret_cast<FARPROC>(&DirectDrawCreate) });
    registry.all.push_back(std::move(ddraw));
    return { registry.all.back().get() };
}

Registry& registry()
{
    static Registry instance = [] {
        Registry r;
        r.active = builtIns(r);
        return r;
    }();
    return instance;
}

void removeActive(const std::string& lowerName)
{
    auto& active = registry().active;
    std::erase_if(active, [&](const BuiltInLibrary* lib) { return lib->name == lowerName; });
}

} // namespace

HMODULE loadLibrary(std::string_view fileName)
{
    const std::string key = asciiLower(fileName);
    for (const BuiltInLibrary* lib : registry().active) {
        if (lib->name == key)
            return lib;
    }
    return nullptr;
}

FARPROC getProcAddress(HMODULE module, std::string_view procName)
{
    if (!module)
        return nullptr;
    for (const LibraryExport& entry : module->exports) {
        if (procName == entry.name)
            return entry.proc;
    }
    return nullptr;
}

void freeLibrary(HMODULE)
{
}

void hideLibraryForTesting(std::string_view fileName)
{
    removeActive(asciiLower(fileName));
}

void replaceLibraryForTesting(std::string_view fileName, std::vector<LibraryExport> exports)
{
    auto lib = std::make_unique<BuiltInLibrary>();
    lib->name = asciiLower(fileName);
    lib->exports = std::move(exports);
    removeActive(lib->name);
    registry().active.push_back(lib.get());
    registry().all.push_back(std::move(lib));
}

void restoreLibrariesForTesting()
{
    Registry& r = registry();
    r.active.clear();
    r.active = builtIns(r);
}

} // namespace platform
