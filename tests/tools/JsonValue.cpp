#include "JsonValue.h"

#include <stdexcept>

namespace rendertest {

namespace {

class Parser {
public:
    explicit Parser(std::string_view text)
        : m_text(text)
    {
    }

    bool value(JsonValue& out)
    {
        if (at("null"))
            return true;
        for (const bool flag : { true, false }) {
            if (at(flag ? "true" : "false")) {
                out.kind = JsonValue::Kind::boolean;
                out.boolean = flag;
                return true;
            }
        }
        if (peek() == '"') {
            out.kind = JsonValue::Kind::string;
            return string(out.string);
        }
        if (peek() == '[')
            return array(out);
        if (peek() == '{')
            return object(out);
        return number(out);
    }

    bool atEnd()
    {
        if (peek() == '\n')
            ++m_pos;
        return m_pos == m_text.size();
    }

private:
    char peek() const { return m_pos < m_text.size() ? m_text[m_pos] : '\0'; }

    bool at(std::string_view word)
    {
        if (m_text.substr(m_pos, word.size()) != word)
            return false;
        m_pos += word.size();
        return true;
    }

    bool number(JsonValue& out)
    {
        const std::size_t start = m_pos;
        if (peek() == '-')
            ++m_pos;
        while (peek() >= '0' && peek() <= '9')
            ++m_pos;
        if (m_pos == start || (m_pos == start + 1 && m_text[start] == '-'))
            return false;
        out.kind = JsonValue::Kind::number;
        out.number = std::stoll(std::string(m_text.substr(start, m_pos - start)));
        return true;
    }

    static void appendUtf8(std::string& out, unsigned code)
    {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    bool string(std::string& out)
    {
        ++m_pos;
        for (;;) {
            const char c = peek();
            if (c == '\0' && m_pos >= m_text.size())
                return false;
            ++m_pos;
            if (c == '"')
                return true;
            if (static_cast<unsigned char>(c) < 0x20)
                return false;
            if (c != '\\') {
                out += c;
                continue;
            }
            const char e = peek();
            ++m_pos;
            if (e == 'u') {
                if (m_pos + 4 > m_text.size())
                    return false;
                appendUtf8(out,
                    static_cast<unsigned>(std::stoul(std::string(m_text.substr(m_pos, 4)), nullptr, 16)));
                m_pos += 4;
            } else if (e == '"' || e == '\\' || e == '/') {
                out += e;
            } else {
                return false;
            }
        }
    }

    template <typename Item> bool list(char close, Item&& item)
    {
        ++m_pos;
        if (peek() == close) {
            ++m_pos;
            return true;
        }
        for (;;) {
            if (!item())
                return false;
            if (peek() == close) {
                ++m_pos;
                return true;
            }
            if (peek() != ',')
                return false;
            ++m_pos;
        }
    }

    bool array(JsonValue& out)
    {
        out.kind = JsonValue::Kind::array;
        return list(']', [&] {
            out.items.emplace_back();
            return value(out.items.back());
        });
    }

    bool object(JsonValue& out)
    {
        out.kind = JsonValue::Kind::object;
        return list('}', [&] {
            std::string key;
            if (peek() != '"' || !string(key) || peek() != ':')
                return false;
            ++m_pos;
            out.members.emplace_back(std::move(key), JsonValue {});
            return value(out.members.back().second);
        });
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

} // namespace

const JsonValue& JsonValue::operator[](std::string_view key) const
{
    for (const auto& [name, value] : members) {
        if (name == key)
            return value;
    }
    throw std::out_of_range("no member " + std::string(key));
}

std::vector<std::string> JsonValue::keys() const
{
    std::vector<std::string> names;
    for (const auto& member : members)
        names.push_back(member.first);
    return names;
}

std::vector<std::int64_t> JsonValue::numbers() const
{
    std::vector<std::int64_t> values;
    for (const JsonValue& item : items)
        values.push_back(item.number);
    return values;
}

std::vector<std::string> JsonValue::strings() const
{
    std::vector<std::string> values;
    for (const JsonValue& item : items)
        values.push_back(item.string);
    return values;
}

std::optional<JsonValue> parseJson(std::string_view text)
{
    Parser parser(text);
    JsonValue value;
    if (!parser.value(value) || !parser.atEnd())
        return std::nullopt;
    return value;
}

} // namespace rendertest
