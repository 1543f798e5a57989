// The sheet path resolution on any name: backslashes, Shift-JIS bytes whose
// second byte is 0x5C, dots, case-blind twins. The result always lies under
// the definition's folder as written, and never crashes or loops.
#include "ScratchFolder.h"
#include "character/Paths.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// A small tree of names the resolution can find, made once.
std::string folder()
{
    static const std::string made = [] {
        const std::string path = fuzzinput::makeScratchFolder();
        const std::filesystem::path root(path);
        std::filesystem::create_directories(root / "Img" / "\x95\x5C");
        for (const char* name : { "Sheet.BMP", "Img/a.bmp", "Img/\x95\x5C/\x83\x5C.bmp", "\x97\x5C.dib" })
            std::ofstream(root / name) << "x";
        return path;
    }();
    return made;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string name(reinterpret_cast<const char*>(data), size);
    const std::string base = folder();
    const std::string path = character::sheetPath(base, name);
    if (path.compare(0, base.size(), base) != 0)
        std::abort();
    if (character::definitionFolder(path).size() < base.size())
        std::abort();
    return 0;
}
