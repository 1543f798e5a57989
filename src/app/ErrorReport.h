#pragma once

// The one place where errors are shown: every error that escapes a handler
// of the window or the idle step ends here. Qt cannot carry an exception
// through its event loop, so every entry point from Qt runs through
// `guarded`, which hands what it catches to the report.

#include "platform/ErrorText.h"
#include "platform/Exception.h"

#include <exception>
#include <functional>
#include <string>

namespace app {

// Shows the error in a modal box titled "Nimbrel" with the error icon and
// one OK button, after releasing the mouse capture. Silent aborts are
// dropped; errors that are not the system's own are shown in its words
// (platform::errorMessage).
void reportError(const std::exception& error);

// Tests replace the modal box; the text given is the text the box would show.
void setErrorSinkForTesting(std::function<void(const std::string&)> sink);

template <typename F> void guarded(F&& handler) noexcept
{
    try {
        handler();
    } catch (const std::exception& e) {
        reportError(e);
    } catch (...) {
        reportError(Exception(platform::kSUnexpectedError));
    }
}

} // namespace app
