#include "check/CheckSink.h"

#include "character/NameText.h"
#include "character/Paths.h"
#include "check/CheckMessages.h"
#include "check/LineHints.h"
#include "platform/ErrorText.h"
#include "platform/Exception.h"

namespace check {

using character::IgnoredText;

namespace {

// Quotes stay short enough to read in one line of a report.
constexpr std::size_t kQuoteBytes = 40;

std::size_t pairsIn(const SourceRange& list)
{
    return std::min<std::size_t>((list.endColumn - list.column) / 2, character::kLastListFrame);
}

std::string number(std::size_t n)
{
    return std::to_string(n);
}

} // namespace

CheckSink::CheckSink(std::string definitionFolder, SheetOpener opener, std::vector<Diagnostic>& out)
    : m_folder(std::move(definitionFolder))
    , m_opener(std::move(opener))
    , m_out(out)
    , m_model(std::make_unique<CheckModel>())
{
}

void CheckSink::beginLine(std::string_view line, std::size_t number)
{
    m_line = line;
    m_lineNumber = number;
}

void CheckSink::warn(std::string_view code, std::string message, const SourceRange& at)
{
    m_out.push_back(Diagnostic { Severity::warning, code, std::move(message), at });
}

std::string CheckSink::quote(const SourceRange& at) const
{
    if (at.line != m_lineNumber || at.column == 0 || at.column > m_line.size())
        return {};
    std::string_view bytes = m_line.substr(at.column - 1, at.endColumn - at.column);
    if (bytes.size() <= kQuoteBytes)
        return character::nameToUtf8(bytes);
    return character::nameToUtf8(bytes.substr(0, kQuoteBytes)) + "…";
}

void CheckSink::characterName(std::string_view, const SourceRange&)
{
}

void CheckSink::frameInterval(std::int32_t milliseconds, const SourceRange& at)
{
    m_model->interval = milliseconds;
    m_model->intervalAt = at;
}

void CheckSink::hexNumberingOn(const SourceRange&)
{
    m_model->hexNumbering = true;
}

void CheckSink::sheetName(std::string_view name, const SourceRange&)
{
    m_model->sheetLine = true;
    // A sheet that cannot be opened raises here, and the former one stays,
    // as in a load.
    m_model->sheet = m_opener(character::sheetPath(m_folder, name));
}

void CheckSink::store(SlotTable& table, RowReaches& reach, int animation, int frameIndex,
    std::int32_t pattern, const SourceRange& at)
{
    if (!character::isAnimationNumber(animation) || frameIndex < 1 || frameIndex > character::kLastSlot
        || !character::isPatternNumber(pattern))
        return;
    const auto a = static_cast<std::size_t>(animation);
    // Member by member: the reader has just written the place that way, and
    // a copy of it whole would wait for those writes on every pair.
    Slot& slot = table[a][static_cast<std::size_t>(frameIndex)];
    slot.pattern = pattern;
    slot.at.line = at.line;
    slot.at.column = at.column;
    slot.at.endColumn = at.endColumn;
    if (static_cast<std::size_t>(frameIndex) > reach[a].frames)
        reach[a] = RowReach { static_cast<std::size_t>(frameIndex), at.line };
    // A pattern defined by then can never become undefined; only the others
    // wait for the end of the file, once per line.
    const auto p = static_cast<std::size_t>(pattern);
    if (pattern != 0 && !m_model->patterns[p].defined && m_lastUseLine[p] != at.line) {
        m_lastUseLine[p] = at.line;
        m_model->earlyUses.push_back(PatternUse { pattern, at });
    }
}

void CheckSink::listEnd(const RowReaches& reach, int animation, const SourceRange& list)
{
    const RowReach& row = reach[static_cast<std::size_t>(animation)];
    const std::size_t frames = pairsIn(list);
    if (row.frames <= frames)
        return;
    warn(kCodeListOverwritten,
        platform::format(kSListOverwritten,
            { number(static_cast<std::size_t>(animation)), number(frames), number(row.line),
                number(frames + 1), number(row.frames) }),
        list);
}

void CheckSink::listLine(int animation, const SourceRange& number)
{
    auto& first = m_model->firstList[static_cast<std::size_t>(animation)];
    if (!first)
        first = number;
    if (animation == character::kPatternCheckAnimation)
        warn(kCodeNoButton, kSPatternCheckRow, number);
}

void CheckSink::baseFrame(int animation, int frameIndex, std::int32_t pattern, const SourceRange& at)
{
    store(m_model->base, m_model->baseReach, animation, frameIndex, pattern, at);
}

void CheckSink::baseListEnd(int animation, const SourceRange& number, const SourceRange& list)
{
    if (!character::isAnimationNumber(animation))
        return;
    // The row's reach already counts this list's own frames.
    listEnd(m_model->baseReach, animation, list);
    listLine(animation, number);
}

void CheckSink::layerFrame(int animation, int frameIndex, std::int32_t pattern, const SourceRange& at)
{
    store(m_model->layer, m_model->layerReach, animation, frameIndex, pattern, at);
}

void CheckSink::placementFrame(int animation, int frameIndex, std::int32_t pattern, const SourceRange& at)
{
    store(m_model->placement, m_model->placementReach, animation, frameIndex, pattern, at);
}

void CheckSink::layerListsEnd(
    int animation, const SourceRange& number, const SourceRange& layer, const SourceRange& placement)
{
    if (!character::isAnimationNumber(animation))
        return;
    listEnd(m_model->layerReach, animation, layer);
    listEnd(m_model->placementReach, animation, placement);
    const auto a = static_cast<std::size_t>(animation);
    m_model->layered[a] = true;
    m_model->lastLayerList[a] = layer;
    listLine(animation, number);
}

void CheckSink::pattern(int number, std::int32_t left, std::int32_t top, std::int32_t width,
    std::int32_t height, const PatternPlaces& at)
{
    if (number < 1 || number > character::kLastPatternNumber)
        return;
    PatternLine& line = m_model->patterns[static_cast<std::size_t>(number)];
    line.defined = true;
    line.decimal = !m_model->hexNumbering;
    line.values = character::PatternEntry { {}, left, top, width, height };
    line.number = at.number;
    line.valuesAt = SourceRange { at.number.line, at.values[0].column, at.values[3].endColumn };
    // "#100 ..." in decimal numbering: the number takes columns 2 and 3 and
    // the third digit becomes the start of the left value.
    if (!m_model->hexNumbering && at.number.endColumn == character::kPatternValueColumn
        && at.values[0].column == character::kPatternValueColumn) {
        warn(kCodePatternThreeDigits,
            platform::format(kSThreeDigits, { std::to_string(number), quote(at.values[0]) }),
            SourceRange { at.number.line, at.number.column, at.values[0].column + 1 });
    }
}

void CheckSink::ignoredText(IgnoredText what, const SourceRange& at)
{
    switch (what) {
    case IgnoredText::nameRest:
        warn(kCodeNameCut, platform::format(kSNameCut, { quote(at) }), at);
        break;
    case IgnoredText::sheetRest:
        warn(kCodeSheetNameCut, platform::format(kSSheetNameCut, { quote(at) }), at);
        break;
    case IgnoredText::listOddCharacter:
        warn(kCodeListOdd, platform::format(kSListOdd, { quote(at) }), at);
        break;
    case IgnoredText::listOverflow:
        warn(kCodeListOverflow,
            platform::format(kSListOverflow, static_cast<int>((at.endColumn - at.column) / 2)), at);
        break;
    case IgnoredText::listRest:
        warn(kCodeListRest, platform::format(kSListRest, { quote(at) }), at);
        break;
    case IgnoredText::valueCut:
        warn(kCodeValueCut, kSValueCut, at);
        break;
    case IgnoredText::numberingValue:
        warn(kCodeNumbering, platform::format(kSNumbering, { quote(at) }), at);
        break;
    }
}

void CheckSink::ignoredLine(std::string_view line, const SourceRange& at)
{
    // A first line behind a byte-order mark has its own warning.
    if (at.line == 1 && startsWithByteOrderMark(line))
        return;
    if (auto hint = ignoredLineHint(line, m_model->hexNumbering))
        warn(kCodeUnknownLine, std::move(hint->message),
            SourceRange { at.line, hint->column, hint->endColumn });
}

bool CheckSink::lineFailed(const Exception& error, const SourceRange& at)
{
    std::string_view code = kCodeSheet;
    if (dynamic_cast<const EConvertError*>(&error) != nullptr)
        code = kCodeNumber;
    else if (dynamic_cast<const character::ERangeError*>(&error) != nullptr)
        code = kCodeAnimationRange;
    m_out.push_back(Diagnostic { Severity::error, code, platform::errorReportText(error.Message()), at });
    return true;
}

} // namespace check
