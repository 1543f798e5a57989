#include "render/JsonWriter.h"

#include <array>

namespace render {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// Length of the valid UTF-8 sequence at the start of `text`, or 0 when it
// does not start with one (overlong forms, surrogates and values past
// U+10FFFF are not valid).
std::size_t utf8SequenceLength(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    if (byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

void appendEscaped(std::string& out, unsigned char c)
{
    switch (c) {
    case '"':
        out += "\\\"";
        return;
    case '\\':
        out += "\\\\";
        return;
    default:
        break;
    }
    if (c < 0x20) {
        constexpr std::array<char, 16> kHex { '0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'a', 'b', 'c',
            'd', 'e', 'f' };
        out += "\\u00";
        out += kHex[c >> 4];
        out += kHex[c & 0xF];
        return;
    }
    out += static_cast<char>(c);
}

} // namespace

std::string jsonString(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    while (!text.empty()) {
        const std::size_t length = utf8SequenceLength(text);
        if (length == 0) {
            out += kReplacement;
            text.remove_prefix(1);
        } else if (length == 1) {
            appendEscaped(out, static_cast<unsigned char>(text[0]));
            text.remove_prefix(1);
        } else {
            out += text.substr(0, length);
            text.remove_prefix(length);
        }
    }
    out += '"';
    return out;
}

void JsonWriter::separate()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_hasMember.empty())
        return;
    if (m_hasMember.back())
        m_text += ',';
    m_hasMember.back() = true;
}

void JsonWriter::beginObject()
{
    separate();
    m_text += '{';
    m_hasMember.push_back(false);
}

void JsonWriter::endObject()
{
    m_text += '}';
    m_hasMember.pop_back();
}

void JsonWriter::beginArray()
{
    separate();
    m_text += '[';
    m_hasMember.push_back(false);
}

void JsonWriter::endArray()
{
    m_text += ']';
    m_hasMember.pop_back();
}

void JsonWriter::key(std::string_view name)
{
    separate();
    m_text += jsonString(name);
    m_text += ':';
    m_afterKey = true;
}

void JsonWriter::value(std::string_view text)
{
    separate();
    m_text += jsonString(text);
}

void JsonWriter::number(std::int64_t value)
{
    separate();
    m_text += std::to_string(value);
}

void JsonWriter::boolean(bool value)
{
    separate();
    m_text += value ? "true" : "false";
}

void JsonWriter::null()
{
    separate();
    m_text += "null";
}

} // namespace render
