#include "form/FormControls.h"

#include <algorithm>

namespace form {

std::string_view designCaption(Control control, const FormDesign& design)
{
    const Row* row = design.find(control);
    return row == nullptr ? std::string_view() : row->caption;
}

bool enabledAtStart(Control control, const FormDesign& design)
{
    const Row* row = design.find(control);
    return row == nullptr || row->enabled;
}

std::string_view controlName(Control control)
{
    const Row* row = kFormDesign.find(control);
    return row == nullptr ? std::string_view() : row->name;
}

std::optional<Control> controlByName(std::string_view name)
{
    for (int i = 0; i < kControlCount; ++i) {
        const auto control = static_cast<Control>(i);
        if (controlName(control) == name)
            return control;
    }
    return std::nullopt;
}

std::optional<Control> animationButton(int animation)
{
    switch (animation) {
    case 1:
    case 9:
        return Control::Button1;
    case 2:
        return Control::Button2;
    case 3:
        return Control::Button14;
    case 4:
        return Control::Button12;
    case 5:
        return Control::Button5;
    case 6:
        return Control::Button6;
    case 7:
        return Control::Button7;
    case 8:
        return Control::Button8;
    case 10:
        return Control::Button9;
    case 11:
        return Control::Button10;
    case 12:
        return Control::Button11;
    case 15:
        return Control::Button3;
    case 16:
        return Control::Button4;
    default:
        return std::nullopt;
    }
}

} // namespace form
