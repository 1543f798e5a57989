// The reloads of FormLogic that follow the files on disk.

#include "playback/FormLogic.h"

#include "character/LoadProcedure.h"
#include "character/StagedLoad.h"
#include "display/DXDraws.h"
#include "platform/FileSystem.h"

namespace playback {

using form::Control;

void FormLogic::sheetReload(const platform::FileStamp& stamp)
{
    m_state->sheetStamp = stamp;
    m_state->sheetFileAge = platform::packedAge(stamp);
    if (m_sheet == nullptr)
        return;
    m_sheet->LoadFromFile(m_state->sheetPath);
    // A fresh surface's key of raw 0 would make black transparent and the
    // sheet's key colour opaque.
    character::takeTransparentColor(*m_sheet);
}

void FormLogic::automaticReload()
{
    // The definition first: when both files were saved, its load reads the
    // new sheet and stamps it, and the sheet is not read a second time.
    if (m_form.isChecked(Control::autodefload) && !m_definitionPath.empty()) {
        if (const auto stamp = m_definitionWatch.poll(m_definitionPath, m_definitionStamp)) {
            // Stored first: a load that fails reports once, not on every step.
            m_definitionStamp = *stamp;
            try {
                automaticDefinitionReload();
            } catch (...) {
                // A sheet saved with it was read by that load and is reported
                // with it, once; the next save of either file reads it again.
                if (watchingSheet())
                    if (const auto sheetStamp = m_sheetWatch.poll(m_state->sheetPath, m_state->sheetStamp))
                        m_state->sheetStamp = *sheetStamp;
                throw;
            }
        }
    }
    if (watchingSheet()) {
        if (const auto stamp = m_sheetWatch.poll(m_state->sheetPath, m_state->sheetStamp))
            automaticSheetReload(*stamp);
    }
}

bool FormLogic::watchingSheet() const
{
    // Without a sheet surface the stamp is not taken either, so that a
    // change made meanwhile is loaded once the display has made it again.
    return m_form.isChecked(Control::autocgload) && !m_state->sheetPath.empty() && m_sheet != nullptr;
}

void FormLogic::automaticSheetReload(const platform::FileStamp& stamp)
{
    // Stored first: a save that fails to load reports once, not on every
    // step. The age stays that of the sheet still shown.
    m_state->sheetStamp = stamp;
    // Aside, since a paint program's save is caught half written now and
    // then: the sheet shown, its key colour and its age stay until the new
    // image has loaded whole.
    std::unique_ptr<TDirectDrawSurface> sheet
        = character::loadSheetAside(m_sheet->DirectDraw(), m_state->sheetPath);
    delete m_sheet;
    m_sheet = sheet.release();
    m_player.setSheetSurface(m_sheet);
    m_state->sheetFileAge = platform::packedAge(stamp);
}

void FormLogic::automaticDefinitionReload()
{
    std::unique_ptr<TDirectDrawSurface> sheet;
    observedLoad([&] { sheet = character::fileloadOrKeep(m_definitionPath, *m_state, m_form, m_sheet); });
    if (sheet == nullptr)
        return;
    delete m_sheet;
    m_sheet = sheet.release();
    m_player.setSheetSurface(m_sheet);
}

} // namespace playback
