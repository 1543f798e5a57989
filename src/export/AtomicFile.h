#pragma once

// Writes a file whole or not at all: the bytes go to a temporary file beside
// it, which is renamed over the target only once everything was written, so
// that a failure (a full disk, a folder that cannot be written) never leaves
// a partial file or destroys the one that was there.

#include <cstdint>
#include <span>
#include <string>

namespace exporter {

// Raises EFCreateError ("%s を作成できません") when the file cannot be made.
void writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

} // namespace exporter
