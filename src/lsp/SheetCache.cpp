#include "lsp/SheetCache.h"

#include "lsp/SheetPicture.h"

#include "picture/Graphics.h"
#include "platform/BitmapLayout.h"
#include "platform/ErrorText.h"

#include <array>
#include <fstream>

namespace lsp {

namespace {

// The bit count of a BMP header: after the file header, the info header's
// size says where the count stands (the old core header keeps it two bytes
// earlier).
int bmpBitDepth(const std::string& path)
{
    using namespace platform::bitmap;
    std::array<unsigned char, kFileHeaderSize + 16> head {};
    std::ifstream file(path, std::ios::binary);
    const auto word = [&](std::size_t at) { return head[at] | (head[at + 1] << 8); };
    if (!file.read(reinterpret_cast<char*>(head.data()), head.size()) || word(0) != kSignature)
        return 0;
    return word(kFileHeaderSize) == kCoreHeaderSize ? word(kFileHeaderSize + 10) : word(kFileHeaderSize + 14);
}

SheetInfo openSheet(const std::string& path)
{
    SheetInfo info;
    try {
        TPicture picture;
        picture.LoadFromFile(path);
        if (const TGraphic* graphic = picture.Graphic())
            info.size = check::SheetSize { graphic->Width(), graphic->Height() };
        info.bitDepth = bmpBitDepth(path);
    } catch (const Exception&) {
        info.error = std::current_exception();
    }
    return info;
}

} // namespace

SheetCache::Entry& SheetCache::entry(const std::string& path)
{
    const platform::FileStamp stamp = platform::fileStamp(path);
    auto it = m_entries.find(path);
    if (it == m_entries.end() || !(it->second.stamp == stamp) || !stamp.exists) {
        Entry entry { stamp, openSheet(path), false, nullptr };
        it = m_entries.insert_or_assign(path, std::move(entry)).first;
    }
    return it->second;
}

const SheetInfo& SheetCache::info(const std::string& path)
{
    return entry(path).info;
}

std::shared_ptr<const closeup::SurfaceImage> SheetCache::picture(const std::string& path)
{
    Entry& found = entry(path);
    if (!found.pictureRead && !found.info.error) {
        found.picture = loadSheetPicture(path);
        found.pictureRead = true;
    }
    return found.picture;
}

check::SheetOpener SheetCache::opener()
{
    return [this](const std::string& path) {
        const SheetInfo& sheet = info(path);
        if (sheet.error)
            std::rethrow_exception(sheet.error);
        return sheet.size;
    };
}

std::string sheetError(const SheetInfo& info)
{
    if (!info.error)
        return {};
    try {
        std::rethrow_exception(info.error);
    } catch (const std::exception& error) {
        return platform::errorMessage(error);
    }
}

} // namespace lsp
