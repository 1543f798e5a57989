#include "export/PngEncoder.h"

#include "export/AtomicFile.h"
#include "export/ExportConsts.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <new>

namespace exporter {

namespace {

// Where the encoded bytes go; false when they could not be taken.
struct ByteSink {
    virtual ~ByteSink() = default;
    virtual bool take(std::span<const std::uint8_t> bytes) = 0;
};

struct MemorySink : ByteSink {
    std::vector<std::uint8_t> bytes;
    bool take(std::span<const std::uint8_t> more) override
    {
        bytes.insert(bytes.end(), more.begin(), more.end());
        return true;
    }
};

struct FileSink : ByteSink {
    explicit FileSink(AtomicFile& f)
        : file(f)
    {
    }
    AtomicFile& file;
    bool take(std::span<const std::uint8_t> bytes) override { return file.write(bytes); }
};

// libpng reports errors by longjmp; the callbacks below hold no objects
// with destructors when they hand over to it.
extern "C" void onWrite(png_structp png, png_bytep data, png_size_t length)
{
    auto* sink = static_cast<ByteSink*>(png_get_io_ptr(png));
    if (!sink->take(std::span<const std::uint8_t>(data, length)))
        png_error(png, "write failed");
}

extern "C" void onFlush(png_structp)
{
}

extern "C" void onWarning(png_structp, png_const_charp)
{
}

// libpng's own handler prints its English text on stderr before the jump;
// the failure is reported once, in our words, by the caller.
extern "C" [[noreturn]] void onError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

class PngWriteStruct {
public:
    PngWriteStruct()
        : m_png(png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning))
        , m_info(m_png != nullptr ? png_create_info_struct(m_png) : nullptr)
    {
        if (m_png == nullptr || m_info == nullptr)
            throw std::bad_alloc();
    }
    ~PngWriteStruct() { png_destroy_write_struct(&m_png, &m_info); }
    PngWriteStruct(const PngWriteStruct&) = delete;
    PngWriteStruct& operator=(const PngWriteStruct&) = delete;
    png_structp png() const { return m_png; }
    png_infop info() const { return m_info; }

private:
    png_structp m_png;
    png_infop m_info;
};

void toRgb(std::span<const std::uint32_t> row, std::span<std::uint8_t> rgb)
{
    std::uint8_t* out = rgb.data();
    for (const std::uint32_t pixel : row) {
        *out++ = static_cast<std::uint8_t>(pixel >> 16);
        *out++ = static_cast<std::uint8_t>(pixel >> 8);
        *out++ = static_cast<std::uint8_t>(pixel);
    }
}

struct RowBuffers {
    const PngRows* rows;
    std::span<std::uint32_t> row;
    std::span<std::uint8_t> rgb;
};

// Kept out of line: the frame that holds the jump point stays free of
// objects that a longjmp could leave half made.
[[gnu::noinline]] void writeRow(png_structp png, const RowBuffers& buffers, std::int32_t y)
{
    (*buffers.rows)(y, buffers.row);
    toRgb(buffers.row, buffers.rgb);
    png_write_row(png, buffers.rgb.data());
}

[[gnu::noinline]] bool encodeRows(
    png_structp png, png_infop info, std::int32_t width, std::int32_t height, const RowBuffers& buffers)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
        PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (std::int32_t y = 0; y < height; ++y)
        writeRow(png, buffers, y);
    png_write_end(png, nullptr);
    return true;
}

// False when libpng or the sink failed; what `rows` raises passes through.
bool encode(std::int32_t width, std::int32_t height, const PngRows& rows, ByteSink& sink)
{
    std::vector<std::uint32_t> row(static_cast<std::size_t>(width));
    std::vector<std::uint8_t> rgb(row.size() * 3);
    const PngWriteStruct writer;
    png_set_write_fn(writer.png(), &sink, onWrite, onFlush);
    return encodeRows(writer.png(), writer.info(), width, height, RowBuffers { &rows, row, rgb });
}

} // namespace

bool pngSizeFits(std::int64_t width, std::int64_t height)
{
    return width > 0 && height > 0 && width <= kPngMaxSide && height <= kPngMaxSide;
}

void writePng(const std::string& path, std::int32_t width, std::int32_t height, const PngRows& rows)
{
    const auto fail = [&path] { return EFCreateError(platform::format(kSFCreateError, { path })); };
    if (!pngSizeFits(width, height))
        throw fail();
    AtomicFile file(path);
    FileSink sink(file);
    bool encoded = false;
    try {
        encoded = encode(width, height, rows, sink);
    } catch (const std::bad_alloc&) {
        // Memory that runs out half way is this file's failure: no file.
    }
    if (!encoded)
        throw fail();
    file.commit();
}

void writePng(const std::string& path, const Image& image)
{
    writePng(path, image.width, image.height, [&image](std::int32_t y, std::span<std::uint32_t> row) {
        const auto* from = image.pixels.data() + static_cast<std::size_t>(y) * row.size();
        std::copy(from, from + row.size(), row.begin());
    });
}

std::vector<std::uint8_t> encodePng(const Image& image)
{
    if (!pngSizeFits(image.width, image.height)
        || image.pixels.size()
            != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
        return {};
    MemorySink sink;
    const auto rows = [&image](std::int32_t y, std::span<std::uint32_t> row) {
        const auto* from = image.pixels.data() + static_cast<std::size_t>(y) * row.size();
        std::copy(from, from + row.size(), row.begin());
    };
    try {
        if (!encode(image.width, image.height, rows, sink))
            return {};
    } catch (const std::bad_alloc&) {
        return {};
    }
    return std::move(sink.bytes);
}

} // namespace exporter
