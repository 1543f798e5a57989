#include "character/SheetPreload.h"

#include "character/DefinitionReader.h"
#include "character/Paths.h"
#include "picture/Graphics.h"
#include "platform/FileSystem.h"
#include "platform/Gdi.h"

namespace character {

namespace {

// The path of the first sheet line, which is the sheet that the load reads
// first; reading stops there.
class FirstSheet : public DefinitionSink {
public:
    explicit FirstSheet(const std::string& definitionPath)
        : m_folder(definitionFolder(definitionPath))
    {
    }

    struct Found { };

    void sheetName(std::string_view name, const SourceRange&) override
    {
        m_path = sheetPath(m_folder, name);
        throw Found {};
    }

    const std::string& path() const { return m_path; }

private:
    std::string m_folder;
    std::string m_path;
};

// Far above any hand-written definition; a larger file is left to the load
// alone, rather than held twice while both read it.
constexpr std::int64_t kReadAheadLimit = std::int64_t { 1 } << 20;

std::string firstSheetOf(const std::string& definitionPath)
{
    FirstSheet sink(definitionPath);
    try {
        parseDefinition(platform::readWholeFile(definitionPath, kReadAheadLimit), sink);
    } catch (const FirstSheet::Found&) {
    }
    return sink.path();
}

// The sheet's surface has the picture's size in the screen's format.
void prepareSurfaceMemory(const TGraphic& picture)
{
    platform::preparePixelMemory(picture.Width(), picture.Height(), platform::screenFormat().bitCount);
}

} // namespace

SheetPreload::SheetPreload(const std::string& definitionPath)
{
    m_picture.emplace([definitionPath] { return firstSheetOf(definitionPath); }, prepareSurfaceMemory);
}

SheetPreload::~SheetPreload()
{
    // The thread first: it may still be making the memory ready.
    m_picture.reset();
    platform::releasePreparedPixelMemory();
}

} // namespace character
