// The picture and the file-format registry: how a file name becomes a
// graphic class.
#include "picture/DIB.h"
#include "picture/Graphics.h"
#include "picture/QvDIB.h"
#include "platform/Text.h"

#include <algorithm>

namespace {

bool isShiftJisLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool isDelimiter(char c)
{
    // "/" as well: paths on this platform use it.
    return c == '.' || c == '\\' || c == ':' || c == '/';
}

} // namespace

std::string GraphicExtension(const std::string& fileName)
{
    // A path that is not UTF-8 holds Shift-JIS bytes, whose second byte can
    // look like a delimiter; such a byte does not count.
    const bool doubleByte = !platform::isValidUtf8(fileName);
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < fileName.size(); ++i) {
        if (doubleByte && isShiftJisLeadByte(static_cast<unsigned char>(fileName[i]))) {
            ++i;
            continue;
        }
        if (isDelimiter(fileName[i]))
            last = i;
    }
    if (last == std::string::npos || fileName[last] != '.')
        return std::string();
    return fileName.substr(last + 1);
}

TFileFormatsList::TFileFormatsList()
{
    Add("wmf", "メタファイル", 0, TMetafile::StaticClass());
    Add("emf", "エンハンス メタファイル", 0, TMetafile::StaticClass());
    Add("ico", "アイコン", 0, TIcon::StaticClass());
    Add("bmp", "ビットマップ", 0, TBitmap::StaticClass());
}

void TFileFormatsList::Add(const std::string& extension, const std::string& description, int descriptionId,
    TGraphicClass graphicClass)
{
    m_entries.push_back({ graphicClass, platform::asciiLower(extension), description, descriptionId });
}

void TFileFormatsList::Remove(TGraphicClass graphicClass)
{
    std::erase_if(
        m_entries, [graphicClass](const Entry& e) { return e.GraphicClass->InheritsFrom(graphicClass); });
}

TGraphicClass TFileFormatsList::FindGraphicClass(const std::string& extension) const
{
    const std::string wanted = platform::asciiLower(extension);
    const auto found = std::find_if(
        m_entries.rbegin(), m_entries.rend(), [&wanted](const Entry& e) { return e.Extension == wanted; });
    return found == m_entries.rend() ? nullptr : found->GraphicClass;
}

TFileFormatsList& GetFileFormats()
{
    // The two "dib" modules register at start-up, QvDIB first; the first of
    // them makes the registry with its built-in entries.
    static TFileFormatsList formats = [] {
        TFileFormatsList list;
        list.Add("dib", "Device Independent Bitmap", 0, TQvDIB::StaticClass());
        list.Add("dib", "Device Independent Bitmap", 0, TDIB::StaticClass());
        return list;
    }();
    return formats;
}

TPicture::TPicture()
{
    GetFileFormats();
}

TPicture::~TPicture() = default;

void TPicture::LoadFromFile(const std::string& fileName)
{
    const std::string extension = GraphicExtension(fileName);
    const TGraphicClass graphicClass = GetFileFormats().FindGraphicClass(extension);
    if (!graphicClass)
        throw EInvalidGraphic(platform::format(picture::kSUnknownExtension, { extension }));
    std::unique_ptr<TGraphic> graphic = graphicClass->create();
    graphic->LoadFromFile(fileName);
    m_graphic = std::move(graphic);
    m_graphic->OnChange = [this](TGraphic&) {
        if (OnChange)
            OnChange(*this);
    };
    if (OnChange)
        OnChange(*this);
}

void TPicture::RegisterGraphicExtension(
    const std::string& extension, const std::string& description, TGraphicClass graphicClass)
{
    GetFileFormats().Add(extension, description, 0, graphicClass);
}

void TPicture::UnregisterGraphicClass(TGraphicClass graphicClass)
{
    GetFileFormats().Remove(graphicClass);
}
