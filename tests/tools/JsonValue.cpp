#include "JsonValue.h"

#include <nlohmann/json.hpp>

#include <stdexcept>

namespace rendertest {

namespace {

using Json = nlohmann::ordered_json;

JsonValue fromJson(const Json& json)
{
    JsonValue out;
    switch (json.type()) {
    case Json::value_t::boolean:
        out.kind = JsonValue::Kind::boolean;
        out.boolean = json.get<bool>();
        break;
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned:
        out.kind = JsonValue::Kind::number;
        out.number = json.get<std::int64_t>();
        break;
    case Json::value_t::string:
        out.kind = JsonValue::Kind::string;
        out.string = json.get<std::string>();
        break;
    case Json::value_t::array:
        out.kind = JsonValue::Kind::array;
        for (const Json& item : json)
            out.items.push_back(fromJson(item));
        break;
    case Json::value_t::object:
        out.kind = JsonValue::Kind::object;
        for (const auto& [key, value] : json.items())
            out.members.emplace_back(key, fromJson(value));
        break;
    default:
        break; // null; the driver prints no fractions
    }
    return out;
}

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
    const Json json = Json::parse(text, nullptr, false);
    if (json.is_discarded())
        return std::nullopt;
    return fromJson(json);
}

} // namespace rendertest
