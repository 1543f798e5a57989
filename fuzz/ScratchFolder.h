#pragma once

// A folder of the fuzz run's own under the temporary folder, made on first
// use; its path ends in "/".

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fuzzinput {

inline std::string makeScratchFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "nimbrel-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        std::abort();
    return pattern + "/";
}

} // namespace fuzzinput
