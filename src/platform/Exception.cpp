#include "platform/Exception.h"

#include <string>

namespace platform {

std::string format(std::string_view pattern, std::initializer_list<std::string_view> args)
{
    std::string out;
    out.reserve(pattern.size() + 32);
    auto next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && (pattern[i + 1] == 's' || pattern[i + 1] == 'd')) {
            if (next != args.end())
                out.append(*next++);
            ++i;
            continue;
        }
        out.push_back(c);
    }
    return out;
}

void raiseReadError()
{
    throw EReadError(kSReadError);
}

std::string format(std::string_view pattern, int value)
{
    const std::string text = std::to_string(value);
    return format(pattern, { std::string_view(text) });
}

} // namespace platform
