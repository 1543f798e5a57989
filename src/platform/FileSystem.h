#pragma once

// The file-system calls the system makes of its platform: a whole-file read,
// a file's last-write time packed the way the original platform packed it,
// and the finer stamp that tells one save of a file from the next.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace platform {

inline constexpr const char* kSFileTooLarge = "ファイル %s は大きすぎます";

// A file opened for reading, closed with the object.
class ReadableFile {
public:
    ReadableFile() = default;
    ReadableFile(int fd, std::int64_t size)
        : m_fd(fd)
        , m_size(size)
    {
    }
    ~ReadableFile();
    ReadableFile(ReadableFile&& other) noexcept;
    ReadableFile& operator=(ReadableFile&& other) noexcept;
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;

    int fd() const { return m_fd; }
    std::int64_t size() const { return m_size; }
    int release() noexcept { return std::exchange(m_fd, -1); }

private:
    int m_fd = -1;
    std::int64_t m_size = 0;
};

// The one way the system opens a file it reads (definition or sheet). Only a
// regular file is opened: anything else (missing, a folder, a FIFO, a device,
// a symlink loop, no permission) raises EFOpenError with
// "ファイル %s は開けません", the same as a missing file. A device is refused
// before it is opened, and the open itself never waits for a writer.
ReadableFile openRegularFile(const std::string& path);

// Reads the whole file. A path that cannot be opened as a file (missing, a
// folder, no permission) raises EFOpenError with "ファイル %s は開けません";
// a failing read after that raises EReadError.
std::vector<std::uint8_t> readWholeFile(const std::string& path);

// As readWholeFile, but a file of more than `limit` bytes (or one that grows
// past it while read) raises EReadError with "ファイル %s は大きすぎます"
// before more than `limit` bytes are held.
std::vector<std::uint8_t> readWholeFile(const std::string& path, std::int64_t limit);

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
