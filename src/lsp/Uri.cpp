#include "lsp/Uri.h"

#include "platform/Text.h"

#include <cstdio>

namespace lsp {

std::string pathOfUri(std::string_view uri)
{
    constexpr std::string_view scheme = "file://";
    if (!uri.starts_with(scheme))
        return {};
    uri.remove_prefix(scheme.size());
    // "file://host/path": only the local host is ours.
    const std::size_t slash = uri.find('/');
    if (slash == std::string_view::npos)
        return {};
    const std::string_view host = uri.substr(0, slash);
    if (!host.empty() && host != "localhost")
        return {};
    uri.remove_prefix(slash);
    std::string path;
    for (std::size_t i = 0; i < uri.size(); ++i) {
        if (uri[i] == '%' && i + 2 < uri.size() && platform::hexDigitValue(uri[i + 1]) >= 0
            && platform::hexDigitValue(uri[i + 2]) >= 0) {
            path += static_cast<char>(
                platform::hexDigitValue(uri[i + 1]) * 16 + platform::hexDigitValue(uri[i + 2]));
            i += 2;
        } else if (uri[i] == '?' || uri[i] == '#') {
            break;
        } else {
            path += uri[i];
        }
    }
    if (path.find('\0') != std::string::npos)
        return {};
    return path;
}

std::string uriOfPath(std::string_view path)
{
    std::string uri = "file://";
    for (const char c : path) {
        const unsigned char u = static_cast<unsigned char>(c);
        const bool plain = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9')
            || c == '/' || c == '-' || c == '.' || c == '_' || c == '~';
        if (plain) {
            uri += c;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", u);
            uri += escaped;
        }
    }
    return uri;
}

} // namespace lsp
