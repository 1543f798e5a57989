#include "lsp/Framing.h"

#include "platform/Text.h"

#include <charconv>

namespace lsp {

namespace {

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// The Content-Length of a header block, or an error text.
std::optional<std::size_t> contentLength(std::string_view header, std::string& error)
{
    std::optional<std::size_t> length;
    while (!header.empty()) {
        const std::size_t end = header.find('\n');
        const std::string_view line = header.substr(0, end);
        header = end == std::string_view::npos ? std::string_view {} : header.substr(end + 1);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) {
            error = "header line without a colon";
            return std::nullopt;
        }
        if (!platform::equalsIgnoringAsciiCase(trimmed(line.substr(0, colon)), "Content-Length"))
            continue;
        const std::string_view value = trimmed(line.substr(colon + 1));
        std::size_t n = 0;
        const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
        if (ec != std::errc {} || ptr != value.data() + value.size() || value.empty()) {
            error = "Content-Length is not a number";
            return std::nullopt;
        }
        if (n > kMaxBodyBytes) {
            error = "Content-Length is too large";
            return std::nullopt;
        }
        length = n;
    }
    if (!length)
        error = "no Content-Length";
    return length;
}

} // namespace

void MessageReader::feed(std::string_view bytes)
{
    if (m_start > 0 && m_start >= m_buffer.size() / 2) {
        m_buffer.erase(0, m_start);
        if (m_bodyLength)
            m_bodyStart -= m_start;
        m_start = 0;
    }
    m_buffer.append(bytes);
}

std::optional<Frame> MessageReader::headerError(std::string message, std::size_t skip)
{
    m_start = skip;
    return Frame { {}, std::move(message) };
}

std::optional<Frame> MessageReader::next()
{
    if (!m_bodyLength) {
        const std::string_view rest = std::string_view(m_buffer).substr(m_start);
        const std::size_t end = rest.find("\r\n\r\n");
        if (end == std::string_view::npos) {
            // A header that never ends is dropped, keeping only what could
            // still start the next one.
            if (rest.size() > kMaxHeaderBytes)
                return headerError("header too long", m_buffer.size() - 3);
            return std::nullopt;
        }
        if (end > kMaxHeaderBytes)
            return headerError("header too long", m_start + end + 4);
        std::string error;
        const std::optional<std::size_t> length = contentLength(rest.substr(0, end), error);
        if (!length)
            return headerError(error, m_start + end + 4);
        m_bodyLength = length;
        m_bodyStart = m_start + end + 4;
    }
    if (m_buffer.size() - m_bodyStart < *m_bodyLength)
        return std::nullopt;
    Frame frame { m_buffer.substr(m_bodyStart, *m_bodyLength), {} };
    m_start = m_bodyStart + *m_bodyLength;
    m_bodyLength.reset();
    return frame;
}

std::string framed(std::string_view body)
{
    std::string out = "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
    out += body;
    return out;
}

} // namespace lsp
