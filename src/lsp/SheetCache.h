#pragma once

// The sheet images a document names, opened as a load opens them and kept
// until their file changes: every change of the text is checked again, and
// reading a large sheet on every keystroke would be felt.

#include "check/CheckSink.h"
#include "closeup/SurfaceImage.h"
#include "platform/FileSystem.h"

#include <exception>
#include <map>
#include <memory>
#include <string>

namespace lsp {

struct SheetInfo {
    check::SheetSize size;
    int bitDepth = 0; // 0 when the file does not say
    std::exception_ptr error; // what opening it raised
};

class SheetCache {
public:
    // Opens through the cache; a file whose stamp changed is read again.
    check::SheetOpener opener();
    const SheetInfo& info(const std::string& path);
    // The sheet's pixels, read once per version of the file; null when it
    // cannot be read.
    std::shared_ptr<const closeup::SurfaceImage> picture(const std::string& path);

private:
    struct Entry {
        platform::FileStamp stamp;
        SheetInfo info;
        bool pictureRead = false;
        std::shared_ptr<const closeup::SurfaceImage> picture;
    };
    Entry& entry(const std::string& path);
    std::map<std::string, Entry> m_entries;
};

// The reason a sheet could not be opened, in the error box's words.
std::string sheetError(const SheetInfo& info);

} // namespace lsp
