#pragma once

// Reads the JSON lines that nimbrel-render prints, strictly: anything that is
// not valid JSON fails the test that reads it.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rendertest {

struct JsonValue {
    enum class Kind { null, boolean, number, string, array, object };
    Kind kind = Kind::null;
    bool boolean = false;
    std::int64_t number = 0;
    std::string string;
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members; // in written order

    // Throws std::out_of_range when the member or item is missing.
    const JsonValue& operator[](std::string_view key) const;
    const JsonValue& operator[](std::size_t index) const { return items.at(index); }
    std::vector<std::string> keys() const;
    std::vector<std::int64_t> numbers() const;
    std::vector<std::string> strings() const;
};

// The whole text must be one value (a trailing line break is allowed).
std::optional<JsonValue> parseJson(std::string_view text);

} // namespace rendertest
