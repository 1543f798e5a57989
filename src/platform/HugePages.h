#pragma once

// Large buffers are backed by huge pages where the system allows: faulting
// in a fresh buffer 4 KiB at a time costs more than filling it.

#include <cstddef>

namespace platform {

inline constexpr std::size_t kHugePage = 2u << 20;

// Asks for huge pages for every whole, aligned huge page inside the memory;
// best done before the memory is first touched. Nothing happens where the
// system has no such advice or no whole huge page fits.
void adviseHugePages(void* memory, std::size_t size) noexcept;

} // namespace platform
