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

} // namespace form
