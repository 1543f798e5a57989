#pragma once

// file: URIs as editors write them, to paths and back. Paths are bytes; a
// byte that is not plain in a URI is written as %XX.

#include <string>
#include <string_view>

namespace lsp {

// The path of a file: URI; empty for any other scheme or a malformed one.
std::string pathOfUri(std::string_view uri);
std::string uriOfPath(std::string_view path);

} // namespace lsp
