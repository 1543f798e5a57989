#pragma once

// The file-system calls the system makes of its platform: a whole-file read,
// a file's last-write time packed the way the original platform packed it,
// and the finer stamp that tells one save of a file from the next.

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

// What tells one version of a file from the next: the last write to the
// nanosecond, the size, and the file's identity, so that a save that renames
// a new file over the old one is seen even when time and size agree. The
// status-change time stays out: a change of mode or links is no new content.
struct FileStamp {
    bool exists = false; // false for a missing file and for a folder
    std::int64_t mtimeNs = 0; // nanoseconds since 1970, UTC
    std::int64_t size = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileStamp&) const = default;
};

// One stat of the path.
FileStamp fileStamp(const std::string& path);

// The packed age of fileAge, from a stamp already taken.
std::int32_t packedAge(const FileStamp& stamp);

} // namespace platform
