#pragma once

// The main window's controls as plain values, for the headless driver and the
// tests: every control starts with the caption, text and enabled state of
// its row in the window's design, unchecked.

#include "character/FormControls.h"

#include <array>
#include <functional>
#include <string>

namespace playback {

class HeadlessForm : public character::FormControls {
public:
    explicit HeadlessForm(const character::FormDesign& design = character::kFormDesign);

    void setCaption(character::Control control, std::string_view text) override;
    std::string caption(character::Control control) const override;
    void setText(character::Control control, std::string_view text) override;
    std::string text(character::Control control) const override;
    void setEnabled(character::Control control, bool enabled) override;
    bool isEnabled(character::Control control) const override;
    void setChecked(character::Control control, bool checked) override;
    bool isChecked(character::Control control) const override;
    void copyPatternBoxToClipboard() override;

    // Runs after an edit box's text changed, as the window's change handler.
    std::function<void(character::Control)> onTextChanged;

    const std::string& clipboard() const { return m_clipboard; }
    bool patternBoxSelected() const { return m_patternBoxSelected; }

private:
    struct State {
        std::string caption;
        bool enabled = true;
        bool checked = false;
    };
    State& at(character::Control control) { return m_controls[static_cast<std::size_t>(control)]; }
    const State& at(character::Control control) const
    {
        return m_controls[static_cast<std::size_t>(control)];
    }

    std::array<State, character::kControlCount> m_controls;
    std::string m_clipboard;
    bool m_patternBoxSelected = false;
};

} // namespace playback
