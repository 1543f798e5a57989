#pragma once

// The base protocol of the language server: every message is a header of
// "Name: value" lines ended by an empty line, then a body of exactly
// Content-Length bytes. The reader takes the input in whatever pieces the
// pipe hands over and cuts it into bodies; a header it cannot use is
// reported and skipped, so that one bad message never ends the session.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lsp {

// Far above any document an editor sends; a larger length is refused rather
// than allocated.
inline constexpr std::size_t kMaxBodyBytes = std::size_t { 64 } << 20;
inline constexpr std::size_t kMaxHeaderBytes = 8192;

struct Frame {
    std::string body;
    std::string error; // set when the header was unusable; the body is then empty
};

class MessageReader {
public:
    void feed(std::string_view bytes);
    // The next whole message, or none until more input arrives.
    std::optional<Frame> next();

private:
    std::optional<Frame> headerError(std::string message, std::size_t skip);

    std::string m_buffer;
    std::size_t m_start = 0;
    std::optional<std::size_t> m_bodyLength;
    std::size_t m_bodyStart = 0;
};

// A body with its header, ready to write.
std::string framed(std::string_view body);

} // namespace lsp
