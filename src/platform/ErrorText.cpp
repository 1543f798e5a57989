#include "platform/ErrorText.h"

#include "platform/Exception.h"

#include <new>

namespace platform {

std::string errorMessage(const std::exception& error)
{
    if (const auto* own = dynamic_cast<const Exception*>(&error))
        return own->Message();
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return kSOutOfMemory;
    return kSUnexpectedError;
}

std::string errorReportText(std::string_view message)
{
    std::string text(message);
    if (text.empty())
        return text;
    // Step back over UTF-8 continuation bytes to the start of the last
    // character; a stray continuation byte at the very start stands alone.
    std::size_t start = text.size() - 1;
    while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80)
        --start;
    const std::string_view last(text.data() + start, text.size() - start);
    if (last.compare(".") > 0)
        text.push_back('.');
    return text;
}

std::optional<std::string> reportedText(const std::exception& error)
{
    if (dynamic_cast<const EAbort*>(&error) != nullptr)
        return std::nullopt;
    return errorReportText(errorMessage(error));
}

} // namespace platform
