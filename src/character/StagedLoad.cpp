#include "character/StagedLoad.h"

#include "character/CharacterConsts.h"
#include "character/LoadProcedure.h"
#include "character/TableWriter.h"
#include "display/DXDraws.h"
#include "picture/Graphics.h"

namespace character {

void StagedForm::setCaption(Control control, std::string_view text)
{
    m_captions[at(control)] = std::string(text);
}

std::string StagedForm::caption(Control control) const
{
    const auto& held = m_captions[at(control)];
    return held ? *held : m_window.caption(control);
}

void StagedForm::setText(Control control, std::string_view text)
{
    m_texts[at(control)] = std::string(text);
}

std::string StagedForm::text(Control control) const
{
    const auto& held = m_texts[at(control)];
    return held ? *held : m_window.text(control);
}

void StagedForm::setEnabled(Control control, bool enabled)
{
    m_enabled[at(control)] = enabled;
}

bool StagedForm::isEnabled(Control control) const
{
    const auto& held = m_enabled[at(control)];
    return held ? *held : m_window.isEnabled(control);
}

void StagedForm::setChecked(Control control, bool checked)
{
    m_checked[at(control)] = checked;
}

bool StagedForm::isChecked(Control control) const
{
    const auto& held = m_checked[at(control)];
    return held ? *held : m_window.isChecked(control);
}

void StagedForm::commit()
{
    for (std::size_t i = 0; i < m_captions.size(); ++i) {
        const auto control = static_cast<Control>(i);
        if (m_captions[i])
            m_window.setCaption(control, *m_captions[i]);
        if (m_texts[i])
            m_window.setText(control, *m_texts[i]);
        if (m_enabled[i])
            m_window.setEnabled(control, *m_enabled[i]);
        if (m_checked[i])
            m_window.setChecked(control, *m_checked[i]);
    }
}

namespace {

// An image that reads without error yet gives no pixels (a file cut to 0
// bytes while the paint program saves) is no sheet to show.
void requireNonEmpty(const TDirectDrawSurface& sheet, const std::string& path)
{
    if (sheet.Width() <= 0 || sheet.Height() <= 0)
        throw EInvalidGraphic(platform::format(kSEmptyImage, { path }));
}

} // namespace

std::unique_ptr<TDirectDrawSurface> loadSheetAside(TDirectDraw& directDraw, const std::string& path)
{
    auto sheet = std::make_unique<TDirectDrawSurface>(&directDraw);
    sheet->LoadFromFile(path);
    requireNonEmpty(*sheet, path);
    takeTransparentColor(*sheet);
    return sheet;
}

std::unique_ptr<TDirectDrawSurface> fileloadOrKeep(
    const std::string& path, CharacterState& state, form::FormControls& form, TDirectDrawSurface* sheet)
{
    // A copy, not a blank: a load keeps the patterns' four values, the sheet
    // path and age and the playback flag of the character before it.
    auto loaded = std::make_unique<CharacterState>(state);
    StagedForm texts(form);
    std::unique_ptr<TDirectDrawSurface> newSheet;
    if (sheet != nullptr)
        newSheet = std::make_unique<TDirectDrawSurface>(&sheet->DirectDraw());

    resetProcedure(*loaded, texts);
    TableWriter writer(*loaded, texts, newSheet.get(), path);
    writer.read();
    loaded->playbackFlag = true;
    if (writer.sheetLines() == 0)
        newSheet.reset();
    else if (newSheet != nullptr)
        requireNonEmpty(*newSheet, loaded->sheetPath);
    if (TDirectDrawSurface* shown = newSheet ? newSheet.get() : sheet)
        takeTransparentColor(*shown);

    state = *loaded;
    // The window's change handling of the speed box now sets the frame
    // interval of the state just put in place, to the value it already has.
    texts.commit();
    return newSheet;
}

} // namespace character
