#include "character/NameText.h"

#include "platform/Text.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <memory>
#include <string>
#include <vector>

namespace character {

namespace {
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
constexpr std::string_view kReplacementByte = "?";

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};

// Length of the input character that cannot be converted, which the caller
// replaces and steps over.
using SkipLength = std::size_t (*)(std::string_view rest);

// Opening a converter costs far more than converting a name, and a report
// decodes its lines a character at a time: each direction is opened once per
// thread and kept. Null when the system has no such converter.
iconv_t converter(const char* to, const char* from)
{
    struct Open {
        std::string key;
        std::unique_ptr<void, IconvCloser> cd;
    };
    thread_local std::vector<Open> opened;
    const std::string key = std::string(to) + "<" + from;
    for (const Open& o : opened)
        if (o.key == key)
            return static_cast<iconv_t>(o.cd.get());
    const iconv_t made = iconv_open(to, from);
    opened.push_back(Open { key, std::unique_ptr<void, IconvCloser>(made == kNoConverter ? nullptr : made) });
    return static_cast<iconv_t>(opened.back().cd.get());
}

// Converts `in` whole; every character the converter refuses (or that is cut
// off by the end) stands as `replacement`. Without the converter, ASCII is
// kept and every other byte replaced, rather than fail.
std::string convert(
    const char* to, const char* from, std::string_view in, std::string_view replacement, SkipLength skip)
{
    const iconv_t raw = converter(to, from);
    if (raw == nullptr) {
        std::string out;
        for (const char c : in)
            out += static_cast<unsigned char>(c) < 0x80 ? std::string(1, c) : std::string(replacement);
        return out;
    }
    // A kept converter starts from its initial shift state every time.
    iconv(raw, nullptr, nullptr, nullptr, nullptr);

    std::string out;
    std::string copy(in);
    char* inPtr = copy.data();
    std::size_t inLeft = copy.size();
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t r = iconv(raw, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (r != static_cast<std::size_t>(-1) || errno == E2BIG)
            continue;
        out += replacement;
        const std::size_t n = std::min(inLeft, skip(std::string_view(inPtr, inLeft)));
        inPtr += n;
        inLeft -= n;
        iconv(raw, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

std::size_t oneByte(std::string_view)
{
    return 1;
}

std::size_t oneUtf8Character(std::string_view rest)
{
    return std::max<std::size_t>(platform::utf8SequenceLength(rest), 1);
}

} // namespace

std::string nameToUtf8(std::string_view bytes)
{
    if (platform::isValidUtf8(bytes))
        return std::string(bytes);
    return cp932ToUtf8(bytes);
}

std::string cp932ToUtf8(std::string_view bytes)
{
    // An undecodable byte, or a lead byte cut off by the end of the text.
    return convert("UTF-8", "CP932", bytes, kReplacement, oneByte);
}

std::string utf8ToCp932(std::string_view text)
{
    return convert("CP932", "UTF-8", text, kReplacementByte, oneUtf8Character);
}

} // namespace character
