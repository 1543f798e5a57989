#include "closeup/FrameSource.h"

#include "display/DXDraws.h"
#include "playback/Composition.h"

namespace closeup {

namespace {

using character::CharacterTables;

void addPattern(std::vector<std::int32_t>& reads, const CharacterTables& tables, std::int32_t number)
{
    reads.push_back(number);
    if (!character::isPatternNumber(number))
        return;
    const character::PatternEntry& e = tables.patterns[static_cast<std::size_t>(number)];
    reads.insert(reads.end(),
        { e.rect.Left, e.rect.Top, e.rect.Right, e.rect.Bottom, e.left, e.top, e.width, e.height });
}

// Everything composition reads for any frame of the animation, in order.
void readsOf(const CharacterTables& tables, std::int32_t animation, std::vector<std::int32_t>& reads)
{
    reads.clear();
    reads.push_back(animation);
    addPattern(reads, tables, playback::kBackgroundPattern);
    const bool layered
        = character::isAnimationNumber(animation) && tables.layered[static_cast<std::size_t>(animation)];
    reads.push_back(layered);
    for (std::int32_t index = 1; index <= character::kLastSlot; ++index) {
        addPattern(reads, tables, CharacterTables::slot(tables.base, animation, index));
        addPattern(reads, tables, CharacterTables::slot(tables.layer, animation, index));
        addPattern(reads, tables, CharacterTables::slot(tables.placement, animation, index));
    }
}

} // namespace

bool FrameSource::changed(const CharacterTables& tables, std::int32_t animation, TDirectDrawSurface* sheet)
{
    readsOf(tables, animation, m_scratch);
    const IDirectDrawSurface none;
    const IDirectDrawSurface& surface = sheet != nullptr ? sheet->SurfaceInterface() : none;
    const bool hasKey = surface && surface->hasSourceKey();
    const std::uint32_t key = hasKey ? surface->sourceKey() : 0;
    // The weak reference keeps its control block, so a new platform surface
    // never passes for the old one, even at the same address.
    const bool sameSheet = bool(surface) == m_hasSheet
        && (!surface || (!m_sheet.owner_before(surface) && !surface.owner_before(m_sheet)));
    const bool same = m_known && sameSheet && hasKey == m_hasKey && key == m_key && m_scratch == m_reads;
    if (same)
        return false;
    m_known = true;
    m_reads.swap(m_scratch);
    m_sheet = surface;
    m_hasSheet = bool(surface);
    m_hasKey = hasKey;
    m_key = key;
    return true;
}

} // namespace closeup
