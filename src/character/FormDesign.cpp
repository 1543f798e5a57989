#include "character/FormDesign.h"

namespace character {

const ControlDesign* FormDesign::find(Control control) const
{
    const auto row = std::find_if(
        controls.begin(), controls.end(), [&](const ControlDesign& d) { return d.control == control; });
    return row == controls.end() ? nullptr : &*row;
}

const MenuDesign* FormDesign::findMenu(Control control) const
{
    const auto row
        = std::find_if(menu.begin(), menu.end(), [&](const MenuDesign& d) { return d.control == control; });
    return row == menu.end() ? nullptr : &*row;
}

} // namespace character
