#include "character/LoadProcedure.h"

#include "character/Integer.h"
#include "character/TableWriter.h"
#include "display/DXDraws.h"

namespace character {

void resetProcedure(CharacterState& state, form::FormControls& form)
{
    CharacterTables& tables = state.tables;
    for (PatternEntry& entry : tables.patterns)
        entry.rect = TRect {};
    for (FrameTable* table : { &tables.base, &tables.layer, &tables.placement }) {
        for (FrameRow& row : *table)
            row.fill(kEmptySlot);
    }
    tables.layered.fill(false);
    state.definedPatterns.reset();
    state.hexPatterns.reset();
    state.hexNumbering = false;
    state.frameInterval = kDefaultFrameInterval;
    state.currentAnimation = 1;
    for (const form::Control button : form::kAnimationButtons)
        form.setEnabled(button, false);
    form.setText(form::Control::Edit1, std::to_string(kDefaultFrameInterval));
    form.setCaption(form::Control::Label2, kStateCaption);
}

void fileload(
    const std::string& path, CharacterState& state, form::FormControls& form, TDirectDrawSurface* sheet)
{
    resetProcedure(state, form);
    TableWriter writer(state, form, sheet, path);
    writer.read();
    state.playbackFlag = true;
    if (sheet != nullptr)
        takeTransparentColor(*sheet);
}

void speedBoxChange(CharacterState& state, std::string_view text)
{
    const std::int32_t value = strToIntDef(text, 0);
    if (value > 0)
        state.frameInterval = value;
}

void takeTransparentColor(TDirectDrawSurface& sheet)
{
    sheet.TransparentColor(sheet.Pixels(sheet.Width() - 1, sheet.Height() - 1));
}

} // namespace character
