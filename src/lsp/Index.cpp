#include "lsp/Index.h"

#include "platform/Text.h"

namespace lsp {

namespace {

class IndexSink : public character::DefinitionSink {
public:
    explicit IndexSink(Index& index)
        : m_index(index)
    {
        for (character::FrameRow& row : m_index.base)
            row.fill(character::kEmptySlot);
        for (character::FrameRow& row : m_index.layer)
            row.fill(character::kEmptySlot);
    }

    void characterName(std::string_view name, const SourceRange& at) override
    {
        m_index.name = name;
        m_index.nameAt = at;
    }
    void frameInterval(std::int32_t milliseconds, const SourceRange&) override
    {
        m_index.interval = milliseconds;
    }
    void hexNumberingOn(const SourceRange& at) override
    {
        if (!m_hex)
            m_index.numberingLine = at.line;
        m_hex = true;
    }
    void sheetName(std::string_view name, const SourceRange& at) override
    {
        m_index.hasSheet = true;
        m_index.sheetName = name;
        m_index.sheetAt = at;
        m_index.sheetKeyword = SourceRange { at.line, 1, 1 + character::kSheetKeyword.size() };
    }
    void baseFrame(int animation, int frameIndex, std::int32_t pattern, const SourceRange& at) override
    {
        entry(ListKind::base, animation, frameIndex, pattern, at);
    }
    void baseListEnd(int animation, const SourceRange& number, const SourceRange& list) override
    {
        m_index.lists.push_back(ListLine { animation, false,
            SourceRange { number.line, 1, 1 + character::kBaseListKeyword.size() }, number, list, {} });
    }
    void layerFrame(int animation, int frameIndex, std::int32_t pattern, const SourceRange& at) override
    {
        entry(ListKind::layer, animation, frameIndex, pattern, at);
    }
    void placementFrame(int animation, int frameIndex, std::int32_t pattern, const SourceRange& at) override
    {
        entry(ListKind::placement, animation, frameIndex, pattern, at);
    }
    void layerListsEnd(int animation, const SourceRange& number, const SourceRange& layer,
        const SourceRange& placement) override
    {
        m_index.lists.push_back(ListLine { animation, true,
            SourceRange { number.line, 1, 1 + character::kLayerKeyword.size() }, number, layer, placement });
    }
    void pattern(int number, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
        const PatternPlaces& at) override
    {
        m_index.patterns.push_back(PatternDefinition { number, { left, top, width, height }, at.number,
            SourceRange { at.number.line, at.values[0].column, at.values[3].endColumn }, m_hex });
        m_index.lastPatternLine = at.number.line;
    }
    bool lineFailed(const Exception&, const SourceRange&) override { return true; }

private:
    void entry(ListKind kind, int animation, int frame, std::int32_t pattern, const SourceRange& at)
    {
        m_index.entries.push_back(ListEntry { animation, kind, frame, pattern, at });
        if (!character::isAnimationNumber(animation) || !character::isFrameIndex(frame))
            return;
        if (kind == ListKind::base)
            m_index.base[std::size_t(animation)][std::size_t(frame)] = pattern;
        else if (kind == ListKind::layer)
            m_index.layer[std::size_t(animation)][std::size_t(frame)] = pattern;
    }

    Index& m_index;
    bool m_hex = false;
};

} // namespace

const PatternDefinition* Index::definition(int number) const
{
    for (auto it = patterns.rbegin(); it != patterns.rend(); ++it) {
        if (it->number == number)
            return &*it;
    }
    return nullptr;
}

int Index::frameCount(int animation) const
{
    if (!character::isAnimationNumber(animation))
        return 0;
    const std::size_t a = static_cast<std::size_t>(animation);
    return character::playedFrameCount([&](std::int32_t index) {
        const auto k = static_cast<std::size_t>(index);
        return base[a][k] != character::kEmptySlot || layer[a][k] != character::kEmptySlot;
    });
}

Index indexDefinition(std::span<const std::uint8_t> text)
{
    Index index;
    IndexSink sink(index);
    character::parseDefinition(text, sink);
    return index;
}

} // namespace lsp
