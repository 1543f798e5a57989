#include "form/FormDesign.h"

namespace form {

const Row* FormDesign::find(Control control) const
{
    const auto row
        = std::find_if(rows.begin(), rows.end(), [&](const Row& r) { return r.control == control; });
    return row == rows.end() ? nullptr : &*row;
}

const Row* FormDesign::findByName(std::string_view name) const
{
    if (name.empty())
        return nullptr;
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const Row& r) { return r.name == name; });
    return row == rows.end() ? nullptr : &*row;
}

} // namespace form
