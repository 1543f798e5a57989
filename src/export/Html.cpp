#include "export/Html.h"

#include "platform/Text.h"

namespace exporter {

namespace {

void appendEscaped(std::string& out, char c)
{
    switch (c) {
    case '&':
        out += "&amp;";
        break;
    case '<':
        out += "&lt;";
        break;
    case '>':
        out += "&gt;";
        break;
    case '"':
        out += "&quot;";
        break;
    case '\'':
        out += "&#39;";
        break;
    default:
        // Controls other than tab and line ends make a page invalid (0x1A
        // ends many a file written on older systems): shown as pictures.
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F)
            out += platform::withVisibleControls(std::string_view(&c, 1));
        else
            out += c;
    }
}

} // namespace

std::string escapeHtml(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t length = platform::utf8SequenceLength(text.substr(i));
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        if (length == 1)
            appendEscaped(out, text[i]);
        else
            out.append(text.substr(i, length));
        i += length;
    }
    return out;
}

std::string base64(std::span<const std::uint8_t> bytes)
{
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const std::uint32_t v = static_cast<std::uint32_t>(bytes[i]) << 16
            | static_cast<std::uint32_t>(bytes[i + 1]) << 8 | bytes[i + 2];
        out += kDigits[v >> 18];
        out += kDigits[(v >> 12) & 63];
        out += kDigits[(v >> 6) & 63];
        out += kDigits[v & 63];
    }
    const std::size_t rest = bytes.size() - i;
    if (rest > 0) {
        std::uint32_t v = static_cast<std::uint32_t>(bytes[i]) << 16;
        if (rest == 2)
            v |= static_cast<std::uint32_t>(bytes[i + 1]) << 8;
        out += kDigits[v >> 18];
        out += kDigits[(v >> 12) & 63];
        out += rest == 2 ? kDigits[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::string dataUri(std::string_view mediaType, std::span<const std::uint8_t> bytes)
{
    return "data:" + std::string(mediaType) + ";base64," + base64(bytes);
}

} // namespace exporter
