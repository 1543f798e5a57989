#pragma once

// A writer for one line of JSON. Values are appended in the order the caller
// gives them, so the output of a run is byte for byte the same every time.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace render {

class JsonWriter {
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // An object member's name; the value follows with one of the calls here.
    void key(std::string_view name);

    void value(std::string_view text);
    void value(const char* text) { value(std::string_view(text)); }
    void number(std::int64_t value);
    void boolean(bool value);
    void null();

    const std::string& text() const { return m_text; }

private:
    void separate();

    std::string m_text;
    // One entry per open object or array: whether it has a member yet.
    std::vector<bool> m_hasMember;
    bool m_afterKey = false;
};

// The text as a JSON string literal, quotes included. Bytes that are no valid
// UTF-8 become U+FFFD, so the result is valid JSON whatever the input.
std::string jsonString(std::string_view text);

} // namespace render
