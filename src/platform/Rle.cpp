// Decoding of BMP run-length data. The data comes from files and is not
// trusted: every store goes through the cursor below, which clips against
// the pixel memory, and every read against the data.
#include "platform/Gdi.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

// Position in pixels (bytes for 8 bits, nibbles for 4 bits) counted through
// the whole memory: a run past the end of a row goes on into the row's
// alignment bytes and then into the next row, as the standard's decoders do.
class RleCursor {
public:
    RleCursor(std::span<std::uint8_t> pixels, int bitCount, std::size_t rowBytes)
        : m_pixels(pixels)
        , m_nibbles(bitCount == 4)
        , m_perRow(std::uint64_t(rowBytes) * (m_nibbles ? 2 : 1))
        , m_limit(std::uint64_t(pixels.size()) * (m_nibbles ? 2 : 1))
    {
    }

    void endOfLine()
    {
        x = 0;
        ++y;
    }
    bool pastMemory() const { return y * m_perRow >= m_limit; }

    // Writes `count` pixels whose values `valueOf(i)` gives, clipped.
    template <typename ValueOf> void write(std::uint64_t count, ValueOf valueOf)
    {
        const std::uint64_t start = y * m_perRow + x;
        x += count;
        if (start >= m_limit)
            return;
        const std::uint64_t n = std::min(count, m_limit - start);
        for (std::uint64_t i = 0; i < n; ++i)
            put(start + i, valueOf(i));
    }

    void fill8(std::uint64_t count, std::uint8_t value)
    {
        const std::uint64_t start = y * m_perRow + x;
        x += count;
        if (start < m_limit)
            std::memset(m_pixels.data() + start, value, std::min(count, m_limit - start));
    }

    std::uint64_t x = 0;
    std::uint64_t y = 0;

private:
    void put(std::uint64_t at, std::uint8_t value)
    {
        if (!m_nibbles) {
            m_pixels[at] = value;
            return;
        }
        std::uint8_t& b = m_pixels[at >> 1];
        b = (at & 1) ? static_cast<std::uint8_t>((b & 0xF0) | (value & 0x0F))
                     : static_cast<std::uint8_t>((b & 0x0F) | (value << 4));
    }

    std::span<std::uint8_t> m_pixels;
    bool m_nibbles;
    std::uint64_t m_perRow;
    std::uint64_t m_limit;
};

// An absolute run: `count` pixels from the data; returns the bytes it took.
std::size_t absoluteRun(
    RleCursor& cursor, std::span<const std::uint8_t> rest, std::uint64_t count, bool nibbles)
{
    const std::uint64_t wanted = nibbles ? (count + 1) / 2 : count;
    const std::size_t have = static_cast<std::size_t>(std::min<std::uint64_t>(wanted, rest.size()));
    const std::uint64_t pixels = std::min<std::uint64_t>(count, nibbles ? have * 2 : have);
    if (nibbles)
        cursor.write(pixels, [&](std::uint64_t i) {
            const std::uint8_t b = rest[i >> 1];
            return static_cast<std::uint8_t>((i & 1) ? b & 0x0F : b >> 4);
        });
    else
        cursor.write(pixels, [&](std::uint64_t i) { return rest[i]; });
    return have;
}

} // namespace

bool decodeRle(std::span<const std::uint8_t> data, int bitCount, std::span<std::uint8_t> pixels,
    std::size_t rowBytes, std::int32_t height)
{
    if ((bitCount != 8 && bitCount != 4) || rowBytes == 0 || height <= 0)
        return false;
    const bool nibbles = bitCount == 4;
    RleCursor cursor(pixels, bitCount, rowBytes);
    std::size_t at = 0;
    while (at + 2 <= data.size() && cursor.y < std::uint64_t(height) && !cursor.pastMemory()) {
        const std::uint8_t n = data[at];
        const std::uint8_t k = data[at + 1];
        at += 2;
        if (n > 0) {
            if (nibbles)
                cursor.write(n,
                    [k](std::uint64_t i) { return static_cast<std::uint8_t>((i & 1) ? k & 0x0F : k >> 4); });
            else
                cursor.fill8(n, k);
        } else if (k == 0) {
            cursor.endOfLine();
        } else if (k == 1) {
            return true;
        } else if (k == 2) {
            if (at + 2 > data.size())
                return false;
            cursor.x += data[at];
            cursor.y += data[at + 1];
            at += 2;
        } else {
            const std::size_t used = absoluteRun(cursor, data.subspan(at), k, nibbles);
            at += used;
            if (used < (nibbles ? (k + 1u) / 2 : k))
                return false;
            at += at & 1;
        }
    }
    return false;
}

std::optional<std::size_t> rleDataEnd(std::span<const std::uint8_t> data, int bitCount)
{
    std::size_t at = 0;
    while (at + 2 <= data.size()) {
        const std::uint8_t n = data[at];
        const std::uint8_t k = data[at + 1];
        at += 2;
        if (n > 0 || k == 0)
            continue;
        if (k == 1)
            return at;
        if (k == 2) {
            at += 2;
            continue;
        }
        const std::size_t bytes = bitCount == 4 ? (k + 1u) / 2 : k;
        if (bytes > data.size() - at)
            return std::nullopt;
        at += bytes;
        at += at & 1;
    }
    return std::nullopt;
}

} // namespace platform
