#include "platform/ByteReader.h"

#include <algorithm>
#include <exception>

namespace platform {

ByteReader::ByteReader(std::span<const std::uint8_t> bytes, ShortRead onShortRead) noexcept
    : m_bytes(bytes)
    , m_onShortRead(onShortRead)
{
}

ByteReader::ByteReader(TStream& stream, std::size_t count, ShortRead onShortRead)
    : m_onShortRead(onShortRead)
{
    // Never more memory than the stream can fill, whatever a header asked for.
    const auto left = static_cast<std::uint64_t>(std::max<std::int64_t>(stream.Remaining(), 0));
    m_own.resize(static_cast<std::size_t>(std::min<std::uint64_t>(count, left)));
    m_own.resize(stream.Read(m_own));
    m_bytes = m_own;
}

std::span<const std::uint8_t> ByteReader::take(std::size_t count)
{
    if (count > remaining()) {
        m_onShortRead();
        // A handler that returns would leave the caller with bytes it does
        // not have; there is no sound way on from here.
        std::terminate();
    }
    const auto bytes = m_bytes.subspan(m_position, count);
    m_position += count;
    return bytes;
}

std::uint16_t ByteReader::u16()
{
    const auto b = take(2);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::uint32_t ByteReader::u32()
{
    const auto b = take(4);
    return std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16)
        | (std::uint32_t(b[3]) << 24);
}

} // namespace platform
