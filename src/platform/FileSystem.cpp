#include "platform/FileSystem.h"

#include "platform/Exception.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {
    }
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// The first allocation follows the size that fstat reports, but never more
// than this; past it the buffer grows with what is actually read, so a file
// that lies about its size (or grows) cannot make us reserve memory blindly.
constexpr std::size_t kInitialReserveCap = 64u << 20;
constexpr std::size_t kChunk = 64u << 10;

} // namespace

std::vector<std::uint8_t> readWholeFile(const std::string& path)
{
    // Non-blocking so that a dropped pipe is refused instead of waiting for a
    // writer; it changes nothing for the regular files we go on to read.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st { };
    if (file.get() < 0 || ::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode))
        throw EFOpenError(format(kSFOpenError, { path }));
    // Other writers are to be kept out while we read; an advisory lock is the
    // closest Linux offers, and it is only taken when nobody holds one.
    ::flock(file.get(), LOCK_SH | LOCK_NB);

    std::vector<std::uint8_t> bytes;
    if (st.st_size > 0)
        bytes.reserve(std::min<std::size_t>(static_cast<std::size_t>(st.st_size), kInitialReserveCap));
    std::size_t used = 0;
    for (;;) {
        if (bytes.size() - used < kChunk)
            bytes.resize(used + kChunk);
        const ssize_t n = ::read(file.get(), bytes.data() + used, bytes.size() - used);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw EReadError(kSReadError);
        if (n == 0)
            break;
        used += static_cast<std::size_t>(n);
    }
    bytes.resize(used);
    return bytes;
}

FileStamp fileStamp(const std::string& path)
{
    struct stat st { };
    if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return FileStamp {};
    constexpr std::int64_t kNsPerSecond = 1'000'000'000;
    return FileStamp {
        .exists = true,
        .mtimeNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * kNsPerSecond + st.st_mtim.tv_nsec,
        .size = static_cast<std::int64_t>(st.st_size),
        .device = static_cast<std::uint64_t>(st.st_dev),
        .inode = static_cast<std::uint64_t>(st.st_ino),
    };
}

std::int32_t packedAge(const FileStamp& stamp)
{
    if (!stamp.exists)
        return -1;
    constexpr std::int64_t kNsPerSecond = 1'000'000'000;
    // Floor division, so that a time just before 1970 stays in its second.
    std::int64_t seconds = stamp.mtimeNs / kNsPerSecond;
    if (stamp.mtimeNs % kNsPerSecond < 0)
        --seconds;
    const auto whole = static_cast<std::time_t>(seconds);
    std::tm local {};
    if (::localtime_r(&whole, &local) == nullptr)
        return -1;
    const int year = local.tm_year + 1900;
    if (year < 1980 || year > 2107)
        return -1;
    const std::uint32_t date
        = static_cast<std::uint32_t>((year - 1980) << 9 | (local.tm_mon + 1) << 5 | local.tm_mday);
    const std::uint32_t time
        = static_cast<std::uint32_t>(local.tm_hour << 11 | local.tm_min << 5 | local.tm_sec / 2);
    return static_cast<std::int32_t>(date << 16 | time);
}

std::int32_t fileAge(const std::string& path)
{
    return packedAge(fileStamp(path));
}

} // namespace platform
