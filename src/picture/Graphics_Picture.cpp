// The picture and the file-format registry: how a file name becomes a
// graphic class.
#include "picture/Graphics.h"
#include "picture/PicturePreload.h"
#include "platform/Text.h"

#include <algorithm>

namespace {

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
        if (doubleByte && platform::isShiftJisLeadByte(static_cast<unsigned char>(fileName[i]))) {
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

TPicture::TPicture()
{
    GetFileFormats();
}

TPicture::~TPicture() = default;

std::unique_ptr<TGraphic> picture::readGraphicFile(const std::string& fileName)
{
    const std::string extension = GraphicExtension(fileName);
    const TGraphicClass graphicClass = GetFileFormats().FindGraphicClass(extension);
    if (!graphicClass)
        throw EInvalidGraphic(platform::format(picture::kSUnknownExtension, { extension }));
    std::unique_ptr<TGraphic> graphic = graphicClass->create();
    graphic->LoadFromFile(fileName);
    return graphic;
}

void TPicture::LoadFromFile(const std::string& fileName)
{
    std::unique_ptr<TGraphic> graphic = picture::takePreloadedPicture(fileName);
    if (!graphic)
        graphic = picture::readGraphicFile(fileName);
    m_graphic = std::move(graphic);
    m_graphic->OnChange = [this](TGraphic&) {
        if (OnChange)
            OnChange(*this);
    };
    if (OnChange)
        OnChange(*this);
}

TGraphicSize TPicture::FileSize(const std::string& fileName)
{
    if (GetFileFormats().FindGraphicClass(GraphicExtension(fileName)) == TBitmap::StaticClass()) {
        TFileStream stream(fileName);
        if (const std::optional<TGraphicSize> size = TBitmap::ReadSize(stream))
            return *size;
    }
    TPicture picture;
    picture.LoadFromFile(fileName);
    return TGraphicSize { picture.Graphic()->Width(), picture.Graphic()->Height() };
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
