#pragma once

// Little-endian fields of file headers and tables. Every read is checked
// against what is left; a read that runs short calls the owner's handler,
// which raises the owner's own error, so no reader ever works with part of a
// field or looks past its bytes.

#include "platform/Stream.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace platform {

class ByteReader {
public:
    // Raises the reader's error for a short read; it must not return.
    using ShortRead = void (*)();

    // Over bytes that the caller keeps alive.
    ByteReader(std::span<const std::uint8_t> bytes, ShortRead onShortRead) noexcept;
    // Over the next `count` bytes of a stream, or as many of them as it still
    // holds, taken into memory of the reader's own.
    ByteReader(TStream& stream, std::size_t count, ShortRead onShortRead);
    ByteReader(const ByteReader&) = delete;
    ByteReader& operator=(const ByteReader&) = delete;

    std::uint8_t u8() { return take(1)[0]; }
    std::uint16_t u16();
    std::uint32_t u32();
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    void skip(std::size_t count) { take(count); }

    std::size_t position() const noexcept { return m_position; }
    std::size_t remaining() const noexcept { return m_bytes.size() - m_position; }

private:
    std::span<const std::uint8_t> take(std::size_t count);

    std::vector<std::uint8_t> m_own;
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_position = 0;
    ShortRead m_onShortRead;
};

} // namespace platform
