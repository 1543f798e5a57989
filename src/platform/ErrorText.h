#pragma once

#include <string>
#include <string_view>

namespace platform {

// The text that the error report shows for a message: a "." is appended
// when the message is not empty and its last character (a multi-byte
// character counts whole) compares greater than "." byte by byte.
std::string errorReportText(std::string_view message);

} // namespace platform
