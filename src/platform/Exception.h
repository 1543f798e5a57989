#pragma once

// The one error hierarchy of the system. Every failure that reaches the user
// is one of these, carrying its exact UTF-8 message; the application's error
// report is the only place that catches them.

#include <exception>
#include <string>
#include <string_view>

class Exception : public std::exception {
public:
    explicit Exception(std::string message)
        : m_message(std::move(message))
    {
    }
    const char* what() const noexcept override { return m_message.c_str(); }
    const std::string& Message() const noexcept { return m_message; }

private:
    std::string m_message;
};

// Dropped by the error report without a message.
class EAbort : public Exception {
public:
    EAbort()
        : Exception(std::string())
    {
    }
};

class EConvertError : public Exception {
    using Exception::Exception;
};

class EStreamError : public Exception {
    using Exception::Exception;
};

class EFOpenError : public EStreamError {
    using EStreamError::EStreamError;
};

class EReadError : public EStreamError {
    using EStreamError::EStreamError;
};

class EOutOfMemory : public Exception {
    using Exception::Exception;
};

class EOutOfResources : public EOutOfMemory {
    using EOutOfMemory::EOutOfMemory;
};

class EInvalidOperation : public Exception {
    using Exception::Exception;
};

class EWin32Error : public Exception {
    using Exception::Exception;
};

namespace platform {

// Fills the "%s" and "%d" placeholders of a message in order. Messages are
// fixed texts of the system; arguments are substituted as given, without any
// width or precision handling.
std::string format(std::string_view pattern, std::initializer_list<std::string_view> args);
std::string format(std::string_view pattern, int value);

inline constexpr const char* kSFOpenError = "ファイル %s は開けません";
inline constexpr const char* kSReadError = "ストリームからの読み込みエラー";

// Raises EReadError with kSReadError: what an exact read that runs short is.
[[noreturn]] void raiseReadError();

} // namespace platform
