#pragma once

// The main window's controls as plain values, for the headless driver and the
// tests: every control starts with the caption, text and enabled state of
// its row in the window's design, unchecked.

#include "form/FormControls.h"

#include <array>
#include <functional>
#include <string>

namespace playback {

class HeadlessForm : public form::FormControls {
public:
    explicit HeadlessForm(const form::FormDesign& design = form::kFormDesign);

    void setCaption(form::Control control, std::string_view text) override;
    std::string caption(form::Control control) const override;
    void setText(form::Control control, std::string_view text) override;
    std::string text(form::Control control) const override;
    void setEnabled(form::Control control, bool enabled) override;
    bool isEnabled(form::Control control) const override;
    void setChecked(form::Control control, bool checked) override;
    bool isChecked(form::Control control) const override;
    void copyPatternBoxToClipboard() override;

    // Runs after an edit box's text changed, as the window's change handler.
    std::function<void(form::Control)> onTextChanged;

    const std::string& clipboard() const { return m_clipboard; }
    bool patternBoxSelected() const { return m_patternBoxSelected; }

private:
    struct State {
        std::string caption;
        bool enabled = true;
        bool checked = false;
    };
    State& at(form::Control control) { return m_controls[static_cast<std::size_t>(control)]; }
    const State& at(form::Control control) const { return m_controls[static_cast<std::size_t>(control)]; }

    std::array<State, form::kControlCount> m_controls;
    std::string m_clipboard;
    bool m_patternBoxSelected = false;
};

} // namespace playback
