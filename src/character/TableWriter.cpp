#include "character/TableWriter.h"

#include "character/CharacterConsts.h"
#include "character/NameText.h"
#include "character/Paths.h"
#include "display/DXDraws.h"
#include "form/Buttons.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"

namespace character {

namespace {

// Rectangle edges wrap like the original 32-bit sums; a rectangle whose sum
// wraps is empty or off the sheet, so it draws nothing either way.
std::int32_t wrappingSum(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

// The parser refuses such numbers before any item of the line; this keeps
// the tables safe whatever hands items over.
void requireAnimationNumber(int animation)
{
    if (!isAnimationNumber(animation))
        throw ERangeError(platform::format(kSAnimationOutOfRange, animation));
}

} // namespace

TableWriter::TableWriter(
    CharacterState& state, form::FormControls& form, TDirectDrawSurface* sheet, const std::string& path)
    : m_state(state)
    , m_form(form)
    , m_sheet(sheet)
    , m_path(path)
    , m_folder(definitionFolder(path))
{
}

void TableWriter::read()
{
    m_state.definitionText.reset();
    auto text = std::make_shared<const std::vector<std::uint8_t>>(readDefinitionBytes(m_path));
    m_state.definitionText = text;
    parseDefinition(*text, *this);
}

void TableWriter::characterName(std::string_view name, const SourceRange&)
{
    m_form.setCaption(form::Control::Label1, nameToUtf8(name));
}

void TableWriter::frameInterval(std::int32_t milliseconds, const SourceRange&)
{
    m_state.frameInterval = milliseconds;
    m_form.setText(form::Control::Edit1, std::to_string(milliseconds));
}

void TableWriter::sheetName(std::string_view name, const SourceRange&)
{
    std::string path = sheetPath(m_folder, name);
    // Stamped before the read: a save that lands while we read then differs
    // from the stamp and is loaded again, rather than passing for what we read.
    const platform::FileStamp stamp = platform::fileStamp(path);
    // The picture goes first: when it cannot be read, the load stops with
    // the former sheet, path and age intact.
    if (m_sheet != nullptr)
        m_sheet->LoadFromFile(path);
    ++m_sheetLines;
    m_state.sheetPath = std::move(path);
    m_state.sheetStamp = stamp;
    m_state.sheetFileAge = platform::packedAge(stamp);
}

void TableWriter::storeFrame(FrameTable& table, int animation, int frameIndex, std::int32_t pattern)
{
    requireAnimationNumber(animation);
    // Slot 0 is never part of a list, and pairs past the last slot have no
    // room; both are dropped.
    if (frameIndex < 1 || frameIndex > kLastSlot)
        return;
    table[static_cast<std::size_t>(animation)][static_cast<std::size_t>(frameIndex)] = pattern;
}

void TableWriter::enableButton(int animation)
{
    if (const auto button = form::animationButton(animation))
        m_form.setEnabled(*button, true);
}

void TableWriter::baseFrame(int animation, int frameIndex, std::int32_t pattern, const SourceRange&)
{
    storeFrame(m_state.tables.base, animation, frameIndex, pattern);
}

void TableWriter::baseListEnd(int animation, const SourceRange&, const SourceRange&)
{
    requireAnimationNumber(animation);
    enableButton(animation);
}

void TableWriter::layerFrame(int animation, int frameIndex, std::int32_t pattern, const SourceRange&)
{
    storeFrame(m_state.tables.layer, animation, frameIndex, pattern);
}

void TableWriter::placementFrame(int animation, int frameIndex, std::int32_t pattern, const SourceRange&)
{
    storeFrame(m_state.tables.placement, animation, frameIndex, pattern);
}

void TableWriter::layerListsEnd(int animation, const SourceRange&, const SourceRange&, const SourceRange&)
{
    requireAnimationNumber(animation);
    enableButton(animation);
    m_state.tables.layered[static_cast<std::size_t>(animation)] = true;
}

void TableWriter::pattern(int number, std::int32_t left, std::int32_t top, std::int32_t width,
    std::int32_t height, const PatternPlaces&)
{
    if (!isPatternNumber(number))
        return;
    PatternEntry& entry = m_state.tables.patterns[static_cast<std::size_t>(number)];
    entry.rect = TRect { left, top, wrappingSum(left, width), wrappingSum(top, height) };
    entry.left = left;
    entry.top = top;
    entry.width = width;
    entry.height = height;
    m_state.definedPatterns.set(static_cast<std::size_t>(number));
    m_state.hexPatterns.set(static_cast<std::size_t>(number), m_state.hexNumbering);
}

} // namespace character
