#pragma once

// The load procedure run aside: into a copy of the character state, window
// texts held back from the window and, when the file names a sheet, a new
// sheet surface. Only a file that loads whole is put in place; one that
// fails leaves the character that was loaded before it as it was. The
// automatic reload of the definition file uses it, since an editor saves
// half-typed lines; the reload command keeps the plain load procedure.

#include "character/CharacterTables.h"
#include "form/FormControls.h"

#include <array>
#include <memory>
#include <optional>
#include <string>

class TDirectDraw;
class TDirectDrawSurface;

namespace character {

// Reads through to a window's controls and keeps every change to itself
// until it is committed.
class StagedForm : public form::FormControls {
public:
    using Control = form::Control;

    explicit StagedForm(form::FormControls& window)
        : m_window(window)
    {
    }

    void setCaption(Control control, std::string_view text) override;
    std::string caption(Control control) const override;
    // Runs no change handling: the state that it would set is the one
    // being loaded aside, and the window runs it when the text is committed.
    void setText(Control control, std::string_view text) override;
    std::string text(Control control) const override;
    void setEnabled(Control control, bool enabled) override;
    bool isEnabled(Control control) const override;
    void setChecked(Control control, bool checked) override;
    bool isChecked(Control control) const override;
    void copyPatternBoxToClipboard() override { m_window.copyPatternBoxToClipboard(); }

    // Hands every held change to the window.
    void commit();

private:
    static std::size_t at(Control control) { return static_cast<std::size_t>(control); }

    form::FormControls& m_window;
    std::array<std::optional<std::string>, form::kControlCount> m_captions;
    std::array<std::optional<std::string>, form::kControlCount> m_texts;
    std::array<std::optional<bool>, form::kControlCount> m_enabled;
    std::array<std::optional<bool>, form::kControlCount> m_checked;
};

// Loads the definition file at `path` aside and, when it loaded whole, puts
// the new state and texts in place and gives back the new sheet surface that
// the caller is to hold instead of `sheet` (none when the file has no sheet
// line: `sheet` then stays, with its transparent colour taken again, as a
// load takes it). Raises the load's error with nothing changed.
std::unique_ptr<TDirectDrawSurface> fileloadOrKeep(
    const std::string& path, CharacterState& state, form::FormControls& form, TDirectDrawSurface* sheet);

// Loads the sheet image at `path` into a new surface of `directDraw` and
// takes its transparent colour, for the caller to put in place of the sheet
// it shows. Raises the load's error, or EInvalidGraphic ("画像 %s は空です")
// for an image that loads empty, so that the sheet shown so far stays.
std::unique_ptr<TDirectDrawSurface> loadSheetAside(TDirectDraw& directDraw, const std::string& path);

} // namespace character
