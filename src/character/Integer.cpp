#include "character/Integer.h"

#include "character/CharacterConsts.h"
#include "character/TextTerms.h"
#include "platform/Exception.h"
#include "platform/Text.h"

#include <string>

namespace character {

namespace {

bool readHex(std::string_view digits, std::int32_t& value)
{
    if (digits.empty())
        return false;
    std::uint64_t v = 0;
    for (const char c : digits) {
        const int d = platform::hexDigitValue(c);
        if (d < 0)
            return false;
        v = v * 16 + static_cast<unsigned>(d);
        if (v > 0xFFFFFFFFu)
            return false;
    }
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    return true;
}

bool readDecimal(std::string_view text, std::int32_t& value)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return false;
    constexpr std::uint64_t kLimit = 2147483648u; // the magnitude of the most negative value
    std::uint64_t v = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + static_cast<unsigned>(c - '0');
        if (v > kLimit)
            return false;
    }
    if (!negative && v == kLimit)
        return false;
    value
        = static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(v) : static_cast<std::int64_t>(v));
    return true;
}

[[noreturn]] void raiseInvalidInteger(std::string_view text)
{
    throw EConvertError(platform::format(kSInvalidInteger, { text }));
}

} // namespace

bool tryStrToInt(std::string_view text, std::int32_t& value)
{
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return false;
    text.remove_prefix(start);
    if (text.front() == '$' || text.front() == 'x' || text.front() == 'X')
        return readHex(text.substr(1), value);
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return readHex(text.substr(2), value);
    return readDecimal(text, value);
}

std::int32_t strToInt(std::string_view text)
{
    std::int32_t value = 0;
    if (!tryStrToInt(text, value))
        raiseInvalidInteger(text);
    return value;
}

std::int32_t strToIntDef(std::string_view text, std::int32_t def)
{
    std::int32_t value = def;
    tryStrToInt(text, value);
    return value;
}

std::int32_t hexPair(std::string_view pair)
{
    const std::string_view digits = trimmed(pair);
    // Pairs are decoded by the hundred per list line: keep the usual two
    // characters off the heap.
    char small[3] = { '$', 0, 0 };
    std::string large;
    std::string_view text;
    if (digits.size() <= 2) {
        digits.copy(small + 1, digits.size());
        text = std::string_view(small, digits.size() + 1);
    } else {
        large = "$" + std::string(digits);
        text = large;
    }
    return strToInt(text);
}

} // namespace character
