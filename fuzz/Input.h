#pragma once

// Takes the fuzzer's bytes apart: small numbers first, the rest as it comes.

#include <cstddef>
#include <cstdint>
#include <span>

namespace fuzzinput {

class Input {
public:
    explicit Input(std::span<const std::uint8_t> bytes)
        : m_bytes(bytes)
    {
    }
    // A byte, 0 once the input is used up.
    std::uint8_t byte()
    {
        if (m_bytes.empty())
            return 0;
        const std::uint8_t b = m_bytes.front();
        m_bytes = m_bytes.subspan(1);
        return b;
    }
    std::uint32_t pixel() { return std::uint32_t { byte() } << 16 | std::uint32_t { byte() } << 8 | byte(); }
    std::span<const std::uint8_t> rest() const { return m_bytes; }
    std::span<const std::uint8_t> take(std::size_t count)
    {
        const std::span<const std::uint8_t> part = m_bytes.first(std::min(count, m_bytes.size()));
        m_bytes = m_bytes.subspan(part.size());
        return part;
    }
    bool empty() const { return m_bytes.empty(); }

private:
    std::span<const std::uint8_t> m_bytes;
};

} // namespace fuzzinput
