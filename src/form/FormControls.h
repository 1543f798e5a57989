#pragma once

// The controls of the main window that the load procedure, the commands and
// the player read or write. The Qt window implements this over its widgets;
// a headless form implements it over plain values. Texts are UTF-8.

#include "form/FormDesign.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace form {

// The thirteen animation buttons, in the order in which a reset disables them.
inline constexpr std::array<Control, 13> kAnimationButtons {
    Control::Button1,
    Control::Button2,
    Control::Button3,
    Control::Button4,
    Control::Button5,
    Control::Button6,
    Control::Button7,
    Control::Button8,
    Control::Button9,
    Control::Button10,
    Control::Button11,
    Control::Button12,
    Control::Button14,
};

// The fixed name of a control ("Button14", "CGreload", ...), and back.
std::string_view controlName(Control control);
std::optional<Control> controlByName(std::string_view name);

// The caption (or for the edit boxes the text) that a control has when the
// window is made, and whether it can be used then.
std::string_view designCaption(Control control, const FormDesign& design = kFormDesign);
bool enabledAtStart(Control control, const FormDesign& design = kFormDesign);

class FormControls {
public:
    virtual ~FormControls() = default;

    // Caption of a label, button, check box or menu item.
    virtual void setCaption(Control control, std::string_view text) = 0;
    virtual std::string caption(Control control) const = 0;

    // Text of an edit box. Setting a different text runs the box's change
    // handling (for Edit1 the speed box rule), as typing would.
    virtual void setText(Control control, std::string_view text) = 0;
    virtual std::string text(Control control) const = 0;

    virtual void setEnabled(Control control, bool enabled) = 0;
    virtual bool isEnabled(Control control) const = 0;

    // Check marks of CheckBox1, CheckBox2 and the menu items autocgload and autodefload.
    virtual void setChecked(Control control, bool checked) = 0;
    virtual bool isChecked(Control control) const = 0;

    // Selects the whole text of the pattern box and puts it on the clipboard.
    virtual void copyPatternBoxToClipboard() = 0;
};

} // namespace form
