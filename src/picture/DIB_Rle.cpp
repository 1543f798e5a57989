// The run-length decoders of the DIB class. Their input comes straight from
// files: every read is checked against the data and every write against the
// pixel memory.
#include "picture/DIB.h"

#include <algorithm>
#include <cstring>

namespace {

// Walks run-length items in order and hands runs and absolute runs to the
// sink at the position (x, y) where they start. Returns true at the
// end-of-bitmap code, with `end` just past it; false when the data (or the
// sink's room) runs out first.
template <class Sink>
bool walkRle(std::span<const std::uint8_t> data, bool fourBit, Sink& sink, std::size_t& end)
{
    std::uint64_t x = 0;
    std::uint64_t y = 0;
    std::size_t pos = 0;
    while (pos + 2 <= data.size() && !sink.done(y)) {
        const std::uint8_t n = data[pos];
        const std::uint8_t k = data[pos + 1];
        pos += 2;
        if (n > 0) {
            sink.run(x, y, n, k);
            x += n;
            continue;
        }
        if (k == 0) {
            x = 0;
            ++y;
        } else if (k == 1) {
            end = pos;
            return true;
        } else if (k == 2) {
            if (pos + 2 > data.size())
                return false;
            x += data[pos];
            y += data[pos + 1];
            pos += 2;
        } else {
            const std::size_t bytes = fourBit ? (k + 1u) / 2u : k;
            sink.absolute(x, y, k, data.subspan(pos, std::min(bytes, data.size() - pos)));
            x += k;
            pos += bytes;
            pos += pos & 1u; // absolute runs are padded to a 16-bit boundary
        }
    }
    return false;
}

// Writes into bottom-up rows; positions past the row's pixels fall into its
// alignment bytes and then into the next row, and nothing past the memory.
class PixelSink {
public:
    PixelSink(std::span<std::uint8_t> pixels, std::size_t rowBytes)
        : m_pixels(pixels)
        , m_rowBytes(rowBytes)
        , m_rows(rowBytes ? pixels.size() / rowBytes : 0)
    {
    }
    // Rows never go back down, so once past the last row nothing more lands.
    bool done(std::uint64_t y) const { return y >= m_rows; }

protected:
    std::uint64_t offset(std::uint64_t x, std::uint64_t y) const { return y * m_rowBytes + x; }
    std::span<std::uint8_t> m_pixels;

private:
    std::uint64_t m_rowBytes;
    std::uint64_t m_rows;
};

class Rle8Sink : public PixelSink {
public:
    using PixelSink::PixelSink;
    void run(std::uint64_t x, std::uint64_t y, std::size_t n, std::uint8_t value)
    {
        const std::uint64_t at = offset(x, y);
        if (at < m_pixels.size())
            std::memset(m_pixels.data() + at, value, std::min<std::uint64_t>(n, m_pixels.size() - at));
    }
    void absolute(std::uint64_t x, std::uint64_t y, std::size_t, std::span<const std::uint8_t> values)
    {
        const std::uint64_t at = offset(x, y);
        if (at < m_pixels.size())
            std::memcpy(m_pixels.data() + at, values.data(),
                std::min<std::uint64_t>(values.size(), m_pixels.size() - at));
    }
};

class Rle4Sink : public PixelSink {
public:
    using PixelSink::PixelSink;
    void run(std::uint64_t x, std::uint64_t y, std::size_t n, std::uint8_t value)
    {
        for (std::size_t i = 0; i < n; ++i)
            if (!put(x + i, y, (i & 1u) ? value & 0x0F : value >> 4))
                return;
    }
    void absolute(std::uint64_t x, std::uint64_t y, std::size_t n, std::span<const std::uint8_t> values)
    {
        n = std::min(n, values.size() * 2);
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint8_t byte = values[i / 2];
            if (!put(x + i, y, (i & 1u) ? byte & 0x0F : byte >> 4))
                return;
        }
    }

private:
    // Pixel x of a row is the high nibble of byte x / 2 when x is even.
    bool put(std::uint64_t x, std::uint64_t y, unsigned nibble)
    {
        const std::uint64_t at = offset(x / 2, y);
        if (at >= m_pixels.size())
            return false;
        std::uint8_t& byte = m_pixels[at];
        byte = (x & 1u) ? std::uint8_t((byte & 0xF0) | nibble) : std::uint8_t((byte & 0x0F) | (nibble << 4));
        return true;
    }
};

struct ScanSink {
    bool done(std::uint64_t) const { return false; }
    void run(std::uint64_t, std::uint64_t, std::size_t, std::uint8_t) { }
    void absolute(std::uint64_t, std::uint64_t, std::size_t, std::span<const std::uint8_t>) { }
};

} // namespace

bool DecodeRLE8(std::span<const std::uint8_t> data, std::span<std::uint8_t> pixels, std::size_t rowBytes)
{
    Rle8Sink sink(pixels, rowBytes);
    std::size_t end = 0;
    return walkRle(data, false, sink, end);
}

bool DecodeRLE4(std::span<const std::uint8_t> data, std::span<std::uint8_t> pixels, std::size_t rowBytes)
{
    Rle4Sink sink(pixels, rowBytes);
    std::size_t end = 0;
    return walkRle(data, true, sink, end);
}

std::optional<std::size_t> rleEndOfBitmap(std::span<const std::uint8_t> data, bool fourBit)
{
    ScanSink sink;
    std::size_t end = 0;
    if (walkRle(data, fourBit, sink, end))
        return end;
    return std::nullopt;
}
