#include "character/Paths.h"

#include "platform/Text.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace character {

namespace fs = std::filesystem;

namespace {

bool exists(const std::string& path)
{
    std::error_code ec;
    return fs::exists(fs::path(path), ec);
}

// The entry of `dir` whose name is `component` but for ASCII case; the first
// in name order when several are, so the choice does not depend on the order
// in which the file system lists them.
std::string findIgnoringCase(const std::string& dir, std::string_view component)
{
    std::error_code ec;
    fs::directory_iterator it(dir.empty() ? fs::path(".") : fs::path(dir), ec);
    std::string best;
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (platform::equalsIgnoringAsciiCase(name, component) && (best.empty() || name < best))
            best = name;
    }
    return best;
}

// "\\" separates folders, as on the system the files were written for; in
// a Shift-JIS name the byte 0x5C is also the second byte of ソ, 表, 能, 予
// and others, and there it stays. A UTF-8 name has no such bytes.
std::string withSlashes(std::string_view sheetName)
{
    std::string name(sheetName);
    const bool shiftJis = !platform::isValidUtf8(name);
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (shiftJis && platform::isShiftJisLeadByte(static_cast<unsigned char>(name[i])))
            ++i;
        else if (name[i] == '\\')
            name[i] = '/';
    }
    return name;
}

} // namespace

std::string definitionFolder(std::string_view definitionPath)
{
    const std::size_t slash = definitionPath.rfind('/');
    if (slash == std::string_view::npos)
        return {};
    return std::string(definitionPath.substr(0, slash + 1));
}

std::string sheetPath(std::string_view folder, std::string_view sheetName)
{
    const std::string name = withSlashes(sheetName);
    std::string joined = std::string(folder) + name;
    if (name.empty() || exists(joined))
        return joined;

    // Walk the name's components, keeping each that exists and replacing one
    // that does not by its case-blind twin.
    std::string resolved(folder);
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find('/', start);
        if (end == std::string::npos)
            end = name.size();
        const std::string component = name.substr(start, end - start);
        std::string next = resolved + component;
        if (!component.empty() && component != "." && component != ".." && !exists(next)) {
            const std::string twin = findIgnoringCase(resolved, component);
            if (twin.empty())
                return joined;
            next = resolved + twin;
        }
        resolved = next;
        if (end == name.size())
            break;
        resolved += '/';
        start = end + 1;
    }
    return resolved;
}

} // namespace character
