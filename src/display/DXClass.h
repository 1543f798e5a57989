#pragma once

// The base of every wrapper object of the display layer and the loader of
// the system libraries that the layer reaches at run time.

#include "platform/Exception.h"
#include "platform/Library.h"

#include <cstdint>
#include <string>

class EDirectXError : public Exception {
    using Exception::Exception;
};

// Keeps the result of the last platform call made through the object. A
// failed call never raises by itself: each operation reports failure through
// its own result, and the hook is there for a subclass that wants to know.
class TDirectX {
public:
    TDirectX() = default;
    virtual ~TDirectX() = default;
    TDirectX(const TDirectX&) = delete;
    TDirectX& operator=(const TDirectX&) = delete;

    std::int32_t ErrorCode() const { return m_errorCode; }
    // Stores the code and, when it is a failure, calls the error hook.
    void SetErrorCode(std::int32_t code);

protected:
    virtual void DoErrorHook(std::int32_t /*code*/) { }

private:
    std::int32_t m_errorCode = 0;
};

namespace dxclass {

// The entry point `procName` of the library `fileName`. Libraries are loaded
// once, kept by their lower-cased name, and stay loaded until
// FreeLibraries. Raises Exception "%s を読み込めません" with the file name
// as given when the library or the entry point cannot be had.
platform::FARPROC LoadEntryPoint(const std::string& fileName, const std::string& procName);

// Frees every library loaded so far (at program end; tests to start afresh).
void FreeLibraries();

} // namespace dxclass
