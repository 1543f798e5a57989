#include "character/NameText.h"

#include "platform/Text.h"

#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <memory>

namespace character {

namespace {
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};

} // namespace

std::string nameToUtf8(std::string_view bytes)
{
    if (platform::isValidUtf8(bytes))
        return std::string(bytes);

    const iconv_t raw = iconv_open("UTF-8", "CP932");
    if (raw == reinterpret_cast<iconv_t>(-1)) {
        // Without the converter, show what can be shown rather than fail a load.
        std::string out;
        for (const char c : bytes)
            out += static_cast<unsigned char>(c) < 0x80 ? std::string(1, c) : std::string(kReplacement);
        return out;
    }
    const std::unique_ptr<void, IconvCloser> cd(raw);

    std::string out;
    std::string in(bytes);
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t r = iconv(raw, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (r != static_cast<std::size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        // An undecodable byte, or a lead byte cut off by the end of the name.
        out += kReplacement;
        ++inPtr;
        --inLeft;
        iconv(raw, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

} // namespace character
