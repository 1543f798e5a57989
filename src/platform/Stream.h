#pragma once

// Byte streams in the manner of the framework the system was written for:
// Read returns what it could get, ReadBuffer insists on the whole count and
// raises EReadError otherwise. All sizes and positions are 64-bit.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class TStream {
public:
    virtual ~TStream() = default;

    // Reads up to dst.size() bytes; returns how many were read.
    virtual std::size_t Read(std::span<std::uint8_t> dst) = 0;
    virtual std::int64_t Size() const = 0;
    virtual std::int64_t Position() const = 0;
    virtual void SetPosition(std::int64_t position) = 0;

    // Reads exactly dst.size() bytes or raises EReadError ("ストリームからの読み込みエラー").
    void ReadBuffer(std::span<std::uint8_t> dst);
    void ReadBuffer(void* dst, std::size_t count);
    std::int64_t Remaining() const { return Size() - Position(); }
};

// A read-only stream over bytes that the caller keeps alive.
class TBytesStream : public TStream {
public:
    explicit TBytesStream(std::span<const std::uint8_t> bytes)
        : m_bytes(bytes)
    {
    }
    std::size_t Read(std::span<std::uint8_t> dst) override;
    std::int64_t Size() const override { return static_cast<std::int64_t>(m_bytes.size()); }
    std::int64_t Position() const override { return static_cast<std::int64_t>(m_position); }
    void SetPosition(std::int64_t position) override;

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_position = 0;
};

// A file opened for reading without sharing, for an existing regular file
// only (platform::openRegularFile);
// failure raises EFOpenError with "ファイル %s は開けません".
class TFileStream : public TStream {
public:
    explicit TFileStream(const std::string& fileName);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    std::size_t Read(std::span<std::uint8_t> dst) override;
    std::int64_t Size() const override { return m_size; }
    std::int64_t Position() const override { return m_position; }
    void SetPosition(std::int64_t position) override;

private:
    int m_fd = -1;
    std::int64_t m_size = 0;
    std::int64_t m_position = 0;
};
