#pragma once

#include <exception>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

inline constexpr const char* kSOutOfMemory = "メモリが足りません";
inline constexpr const char* kSUnexpectedError = "予期しないエラーが発生しました";

// The message of an error as the user is to read it. The system's own errors
// carry their text; what the standard library or Qt raises speaks English,
// so an allocation failure and anything else unforeseen get a text of ours.
std::string errorMessage(const std::exception& error);

// The text that the error report shows for a message: a "." is appended
// when the message is not empty and its last character (a multi-byte
// character counts whole) compares greater than "." byte by byte.
std::string errorReportText(std::string_view message);

// What the error report shows for an error, in the window and in the
// headless driver alike: nothing for a silent abort, else the report text
// of its message.
std::optional<std::string> reportedText(const std::exception& error);

} // namespace platform
