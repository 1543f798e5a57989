#include "platform/FileWatch.h"

namespace platform {

std::optional<FileStamp> FileWatch::poll(const std::string& path, const FileStamp& loaded)
{
    return decide(fileStamp(path), loaded);
}

std::optional<FileStamp> FileWatch::decide(const FileStamp& current, const FileStamp& loaded)
{
    if (current == loaded) {
        m_seen.reset();
        return std::nullopt;
    }
    if (!current.exists || settled(current)) {
        m_seen.reset();
        return current;
    }
    return std::nullopt;
}

bool FileWatch::settled(const FileStamp& current)
{
    const std::int64_t steady = m_clock.steadyNs();
    if (m_seen != current) {
        m_seen = current;
        m_seenSinceNs = steady;
    }
    const std::int64_t age = m_clock.wallNs() - current.mtimeNs;
    if (age >= m_settleNs)
        return true;
    // A last write ahead of the wall clock (a skewed clock, a file from
    // another machine) never grows old; such a file has settled once it has
    // kept its stamp for the settle time.
    return age < 0 && steady - m_seenSinceNs >= m_settleNs;
}

} // namespace platform
