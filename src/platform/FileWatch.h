#pragma once

// Decides, one stat per call, whether a file that something loaded has
// changed since and is ready to be loaded again: a file that was written a
// moment ago may still be in the middle of a save, so it is left until its
// last write is a settle time old.

#include "platform/Clock.h"
#include "platform/FileSystem.h"

#include <chrono>
#include <optional>
#include <string>

namespace platform {

// Long enough for a paint program or an editor to finish writing a file in
// several steps, short enough that a save still appears at once.
inline constexpr std::chrono::milliseconds kSettleTime { 250 };

class FileWatch {
public:
    explicit FileWatch(const RealClock& clock, std::chrono::nanoseconds settle = kSettleTime)
        : m_clock(clock)
        , m_settleNs(settle.count())
    {
    }

    // The file's stamp when it differs from `loaded` (the stamp taken at the
    // last load of the file) and the file has settled; none otherwise. The
    // caller stores the stamp it gets before it loads, so that a load that
    // fails is not tried again until the file changes again. A missing file
    // is a change at once: there is nothing to wait for.
    std::optional<FileStamp> poll(const std::string& path, const FileStamp& loaded);

    // The same decision for a stamp already taken.
    std::optional<FileStamp> decide(const FileStamp& current, const FileStamp& loaded);

private:
    bool settled(const FileStamp& current);

    const RealClock& m_clock;
    std::int64_t m_settleNs;
    // The changed stamp seen last and when it was first seen, for a file
    // whose last-write time lies ahead of the wall clock.
    std::optional<FileStamp> m_seen;
    std::int64_t m_seenSinceNs = 0;
};

} // namespace platform
