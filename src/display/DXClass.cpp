#include "display/DXClass.h"

#include "display/DXConsts.h"
#include "platform/Text.h"

#include <algorithm>
#include <map>
#include <memory>

void TDirectX::SetErrorCode(std::int32_t code)
{
    m_errorCode = code;
    if (code != 0)
        DoErrorHook(code);
}

namespace dxclass {

namespace {

// Frees every library on the list when the program ends.
struct LibraryList {
    std::map<std::string, platform::HMODULE> modules;
    ~LibraryList()
    {
        for (const auto& entry : modules)
            platform::freeLibrary(entry.second);
    }
};

std::unique_ptr<LibraryList>& libraryList()
{
    static std::unique_ptr<LibraryList> list;
    return list;
}

} // namespace

platform::FARPROC LoadEntryPoint(const std::string& fileName, const std::string& procName)
{
    auto& list = libraryList();
    if (!list)
        list = std::make_unique<LibraryList>();
    const std::string key = platform::asciiLower(fileName);
    auto found = list->modules.find(key);
    if (found == list->modules.end()) {
        const platform::HMODULE module = platform::loadLibrary(fileName);
        if (!module)
            throw Exception(platform::format(dxconsts::kSLibraryNotLoaded, { fileName }));
        found = list->modules.emplace(key, module).first;
    }
    const platform::FARPROC proc = platform::getProcAddress(found->second, procName);
    if (!proc)
        throw Exception(platform::format(dxconsts::kSLibraryNotLoaded, { fileName }));
    return proc;
}

void FreeLibraries()
{
    libraryList().reset();
}

} // namespace dxclass
