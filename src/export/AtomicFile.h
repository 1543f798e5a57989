#pragma once

// Writes a file whole or not at all: the bytes go to a temporary file beside
// it, which is synced and renamed over the target only once everything was
// written, so that a failure (a full disk, a folder that cannot be written,
// an interrupt) never leaves a partial file or destroys the one that was
// there. A file replaced keeps its permission bits; a symlink is written
// through to its target, as editors do.

#include <cstdint>
#include <span>
#include <string>

namespace exporter {

class AtomicFile {
public:
    // Makes the temporary file; raises EFCreateError ("%s を作成できません")
    // when it cannot be made.
    explicit AtomicFile(const std::string& path);
    // Without commit the temporary file goes, and the target stays as it was.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Appends bytes; false when they could not be written (the file is then
    // to be given up).
    bool write(std::span<const std::uint8_t> bytes);
    // Syncs and puts the file in place; raises EFCreateError when any write
    // failed or the file cannot be put in place.
    void commit();

private:
    void discard() noexcept;

    std::string m_path; // as the caller named it, for the message
    std::string m_target; // where the bytes go: the symlink's target
    std::string m_temporary;
    int m_fd = -1;
    int m_slot = -1; // in the interrupt cleanup list
    bool m_failed = false;
};

// Raises EFCreateError ("%s を作成できません") when the file cannot be made.
void writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

} // namespace exporter
