#pragma once

// Tells whether the pictures made of an animation are still those that its
// tables and the sheet would give now. It keeps what composition reads of
// the animation (its rows, the patterns they name, the background pattern)
// and which sheet it was made from, so a load, a reload of either file, a
// new pattern box or another animation all count as a change, and a frame
// that merely moves on does not.

#include "character/CharacterTables.h"
#include "platform/SoftDisplay.h"

#include <cstdint>
#include <memory>
#include <vector>

class TDirectDrawSurface;

namespace closeup {

class FrameSource {
public:
    // Whether the animation now reads anything else than at the last call
    // (the first call always does); remembers what it reads now.
    bool changed(const character::CharacterTables& tables, std::int32_t animation, TDirectDrawSurface* sheet);
    void forget() { m_known = false; }

private:
    bool m_known = false;
    std::vector<std::int32_t> m_reads;
    std::vector<std::int32_t> m_scratch;
    std::weak_ptr<platform::SoftSurface> m_sheet;
    bool m_hasSheet = false;
    bool m_hasKey = false;
    std::uint32_t m_key = 0;
};

} // namespace closeup
