#pragma once

// The file-system calls the system makes of its platform: a whole-file read
// and a file's last-write time packed the way the original platform packed it.

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Reads the whole file. A path that cannot be opened as a file (missing, a
// folder, no permission) raises EFOpenError with "ファイル %s は開けません";
// a failing read after that raises EReadError.
std::vector<std::uint8_t> readWholeFile(const std::string& path);

// The last-write time in local time as a packed date and time: the date in
// the high 16 bits ((year - 1980) << 9 | month << 5 | day), the time in the
// low 16 bits (hour << 11 | minute << 5 | seconds / 2). -1 for a missing
// file, a folder, or a time the packed form cannot hold (before 1980 or
// after 2107).
std::int32_t fileAge(const std::string& path);

} // namespace platform
