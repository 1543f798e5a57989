#include "platform/FileSystem.h"

#include "platform/Exception.h"
#include "platform/HugePages.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <limits>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

// The first allocation follows the size that fstat reports, but never more
// than this; past it the buffer grows with what is actually read, so a file
// that lies about its size (or grows) cannot make us reserve memory blindly.
constexpr std::size_t kInitialReserveCap = 64u << 20;
constexpr std::size_t kChunk = 64u << 10;

} // namespace

ReadableFile::~ReadableFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

ReadableFile::ReadableFile(ReadableFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
    , m_size(other.m_size)
{
}

ReadableFile& ReadableFile::operator=(ReadableFile&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
        m_size = other.m_size;
    }
    return *this;
}

ReadableFile openRegularFile(const std::string& path)
{
    const auto refuse = [&path] { return EFOpenError(format(kSFOpenError, { path })); };
    // Looked at before the open: opening a device can itself do something
    // (rewind a tape, claim a port), so a device is never opened at all.
    struct stat before { };
    if (::stat(path.c_str(), &before) != 0 || !S_ISREG(before.st_mode))
        throw refuse();
    // Non-blocking, so that a FIFO put in the file's place since the stat is
    // refused below instead of waiting for a writer; it changes nothing for
    // the regular file we go on to read.
    ReadableFile file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY), 0);
    struct stat st { };
    if (file.fd() < 0 || ::fstat(file.fd(), &st) != 0 || !S_ISREG(st.st_mode))
        throw refuse();
    // Other writers are to be kept out while we read; an advisory lock is the
    // closest Linux offers, and it is only taken when nobody holds one.
    ::flock(file.fd(), LOCK_SH | LOCK_NB);
    return ReadableFile(file.release(), st.st_size);
}

std::vector<std::uint8_t> readWholeFile(const std::string& path)
{
    return readWholeFile(path, std::numeric_limits<std::int64_t>::max());
}

std::vector<std::uint8_t> readWholeFile(const std::string& path, std::int64_t limit)
{
    const ReadableFile file = openRegularFile(path);
    const auto tooLarge = [&path] { return EReadError(format(kSFileTooLarge, { path })); };
    if (file.size() > limit)
        throw tooLarge();

    // Room for the size that fstat reports and one byte more, so that the
    // read that finds the end needs no second, larger buffer and no copy.
    std::vector<std::uint8_t> bytes;
    if (file.size() > 0) {
        const std::size_t room
            = std::min<std::size_t>(static_cast<std::size_t>(file.size()), kInitialReserveCap) + 1;
        // Reserved first, so that the advice comes before the pages are
        // touched.
        bytes.reserve(room);
        adviseHugePages(bytes.data(), room);
        bytes.resize(room);
    }
    std::size_t used = 0;
    for (;;) {
        if (bytes.size() == used)
            bytes.resize(used + std::max(used / 2, kChunk));
        const ssize_t n = ::read(file.fd(), bytes.data() + used, bytes.size() - used);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw EReadError(kSReadError);
        if (n == 0)
            break;
        used += static_cast<std::size_t>(n);
        if (static_cast<std::uint64_t>(used) > static_cast<std::uint64_t>(limit))
            throw tooLarge();
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
