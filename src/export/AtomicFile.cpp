#include "export/AtomicFile.h"

#include "export/ExportConsts.h"
#include "export/InterruptCleanup.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace exporter {

namespace {

constexpr std::size_t kNameMax = NAME_MAX;
constexpr std::string_view kTemporarySuffix = ".XXXXXX";
constexpr int kMostLinks = 40; // as the kernel's own limit on nested links

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Follows symlinks to the file they name (existing or not), so that a link
// kept in a project folder still points to the file written.
std::string linkTarget(std::string path)
{
    for (int i = 0; i < kMostLinks; ++i) {
        struct stat st { };
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        std::vector<char> buffer(PATH_MAX);
        const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size())
            return path;
        const std::string link(buffer.data(), static_cast<std::size_t>(n));
        path = link.front() == '/' ? link : folderOf(path) + link;
    }
    return path;
}

// The temporary name beside the target; a long final name is cut so that the
// suffix still fits within one name's limit.
std::string temporaryPattern(const std::string& target)
{
    const std::string folder = folderOf(target);
    std::string name = target.substr(folder.size());
    name = "." + name;
    if (name.size() + kTemporarySuffix.size() > kNameMax)
        name.resize(kNameMax - kTemporarySuffix.size());
    return folder + name + std::string(kTemporarySuffix);
}

mode_t modeFor(const std::string& target)
{
    struct stat st { };
    if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

AtomicFile::AtomicFile(const std::string& path)
    : m_path(path)
    , m_target(linkTarget(path))
    , m_temporary(temporaryPattern(m_target))
{
    m_slot = interruptCleanup().reserve();
    m_fd = ::mkostemp(m_temporary.data(), O_CLOEXEC);
    if (m_fd < 0) {
        interruptCleanup().release(m_slot);
        throw EFCreateError(platform::format(kSFCreateError, { m_path }));
    }
    interruptCleanup().set(m_slot, m_temporary);
    // mkstemp makes the file private; give it the mode of the file it
    // replaces, or the one a new file would get.
    ::fchmod(m_fd, modeFor(m_target));
}

AtomicFile::~AtomicFile()
{
    discard();
}

void AtomicFile::discard() noexcept
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
        ::unlink(m_temporary.c_str());
    }
    if (m_slot >= 0) {
        interruptCleanup().release(m_slot);
        m_slot = -1;
    }
}

bool AtomicFile::write(std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty() && !m_failed) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            m_failed = true;
        else
            bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return !m_failed;
}

void AtomicFile::commit()
{
    // The data reaches the disk before the name does: after a crash the
    // target is the old file or the new one, never an empty one.
    const bool synced = !m_failed && m_fd >= 0 && ::fsync(m_fd) == 0;
    const bool closed = m_fd >= 0 && ::close(m_fd) == 0;
    m_fd = -1;
    if (!synced || !closed || std::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        ::unlink(m_temporary.c_str());
        discard();
        throw EFCreateError(platform::format(kSFCreateError, { m_path }));
    }
    discard();
}

void writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes)
{
    AtomicFile file(path);
    file.write(bytes);
    file.commit();
}

} // namespace exporter
