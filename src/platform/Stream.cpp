#include "platform/Stream.h"

#include "platform/Exception.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cstring>
#include <unistd.h>

void TStream::ReadBuffer(std::span<std::uint8_t> dst)
{
    if (Read(dst) != dst.size())
        throw EReadError(platform::kSReadError);
}

void TStream::ReadBuffer(void* dst, std::size_t count)
{
    ReadBuffer(std::span<std::uint8_t>(static_cast<std::uint8_t*>(dst), count));
}

std::size_t TBytesStream::Read(std::span<std::uint8_t> dst)
{
    const std::size_t n = std::min(dst.size(), m_bytes.size() - m_position);
    if (n > 0)
        std::memcpy(dst.data(), m_bytes.data() + m_position, n);
    m_position += n;
    return n;
}

void TBytesStream::SetPosition(std::int64_t position)
{
    m_position = static_cast<std::size_t>(std::clamp<std::int64_t>(position, 0, Size()));
}

TFileStream::TFileStream(const std::string& fileName)
{
    platform::ReadableFile file = platform::openRegularFile(fileName);
    m_size = file.size();
    m_fd = file.release();
}

TFileStream::~TFileStream()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::size_t TFileStream::Read(std::span<std::uint8_t> dst)
{
    std::size_t done = 0;
    while (done < dst.size()) {
        const ssize_t n = ::pread(m_fd, dst.data() + done, dst.size() - done, m_position);
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
        m_position += n;
    }
    return done;
}

void TFileStream::SetPosition(std::int64_t position)
{
    m_position = std::clamp<std::int64_t>(position, 0, m_size);
}
