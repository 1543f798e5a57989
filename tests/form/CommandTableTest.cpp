#include "form/FormControls.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

namespace {

using form::ControlKind;
using form::Reach;

bool isMenuEntry(const form::Row& row)
{
    return row.kind == ControlKind::Item || row.kind == ControlKind::Separator;
}

} // namespace

// What the window and the driver take for granted of every row, so that a
// row added wrongly fails here rather than as a missing menu or action.
TEST(CommandTable, NamesShortcutsAndVerbsAreUniqueAndEveryEntryFollowsItsMenu)
{
    std::set<std::string_view> names, shortcuts, verbs, menus;
    for (const form::Row& row : form::kRows) {
        SCOPED_TRACE(std::string(row.name));
        if (row.kind != ControlKind::Separator) {
            EXPECT_TRUE(names.insert(row.name).second) << "a second row named so";
        }
        if (!row.shortcut.empty()) {
            EXPECT_TRUE(shortcuts.insert(row.shortcut).second) << row.shortcut;
        }
        if (row.kind == ControlKind::Menu)
            menus.insert(row.name);
        if (isMenuEntry(row)) {
            EXPECT_TRUE(menus.contains(row.menu)) << "its menu stands before it";
        } else {
            EXPECT_TRUE(row.menu.empty());
        }
        // Only rows with a control can be reached, and a verb needs its help.
        if (row.driver.reach != Reach::none) {
            EXPECT_TRUE(row.control.has_value());
        }
        if (row.driver.reach == Reach::verb) {
            EXPECT_TRUE(row.driver.verb.starts_with("--"));
            EXPECT_FALSE(row.driver.help.empty());
            EXPECT_TRUE(verbs.insert(row.driver.verb).second) << row.driver.verb;
        }
        if (row.driver.reach == Reach::toggle) {
            EXPECT_TRUE(row.checkable);
        }
        if (row.control) {
            EXPECT_EQ(form::controlByName(row.name), row.control);
        }
    }
    EXPECT_EQ(menus, (std::set<std::string_view> { "N1", "N2", "ToolsMenu" }));
}
