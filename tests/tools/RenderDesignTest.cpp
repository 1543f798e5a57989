#include "render/Arguments.h"
#include "render/RenderDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

using form::Control;

struct DriverRun {
    std::string out;
    std::string errors;
    // Red of the pixels (x, 100) of the first frame.
    std::vector<int> red;
};

DriverRun runWith(const form::FormDesign& design)
{
    std::ostringstream out, errors;
    render::RenderDriver driver(out, errors, true, design);
    driver.perform({ render::ActionKind::state, {} });
    driver.perform(
        { render::ActionKind::drop, std::string(NIMBREL_SOURCE_DIR) + "/examples/sample/sample.txt" });
    driver.perform({ render::ActionKind::frames, {}, Control::Label1, 1 });
    driver.close();
    DriverRun run { out.str(), errors.str(), {} };
    for (int x = 0; x < display::kViewWidth; ++x)
        run.red.push_back(driver.strip().empty() ? -1 : driver.strip().pixel(0, x, 100)[0]);
    return run;
}

template <typename Rows> auto& rowOf(Rows& rows, Control control)
{
    return *std::find_if(rows.begin(), rows.end(), [&](const auto& row) { return row.control == control; });
}

} // namespace

TEST(RenderDesign, ACaptionOrAPlaceChangedInTheOneTableChangesTheDriver)
{
    const DriverRun before = runWith(form::kFormDesign);
    ASSERT_EQ(before.errors, "");
    ASSERT_NE(before.out.find("\"Label1\":\"名前\""), std::string::npos) << before.out;

    auto rows = form::kRows;
    rowOf(rows, Control::Label1).caption = "Name";
    rowOf(rows, Control::DXDraw1).bounds.width = 60;
    form::FormDesign design = form::kFormDesign;
    design.rows = rows;
    const DriverRun after = runWith(design);
    ASSERT_EQ(after.errors, "");
    EXPECT_NE(after.out.find("\"Label1\":\"Name\""), std::string::npos) << after.out;
    // The view follows its row: a surface sixty columns wide leaves the rest
    // of the frame black, where the design's view draws there.
    ASSERT_EQ(after.red.size(), before.red.size());
    EXPECT_TRUE(std::all_of(after.red.begin() + 60, after.red.end(), [](int red) { return red == 0; }));
    EXPECT_FALSE(std::all_of(before.red.begin() + 60, before.red.end(), [](int red) { return red == 0; }));
}

// A new command is one row of the table and one handler: a row added to a
// copy of the table with an action of its own is described by --help and
// runs the command of its control.
TEST(RenderDesign, ACommandRowAddedToTheTableIsADriverActionWithItsHelp)
{
    std::vector<form::Row> rows(form::kRows.begin(), form::kRows.end());
    rows.push_back(form::item(Control::restart, "again", "N2", "もう一度", "F9", form::Mark::plain, "",
        form::verb("--again", "もう一度: frame 1 again\nwhile paused")));
    form::FormDesign design = form::kFormDesign;
    design.rows = rows;

    const std::string help = render::usageText(design);
    EXPECT_NE(help.find("  --again         もう一度: frame 1 again\n"
                        "                  while paused\n  --sleep MS"),
        std::string::npos)
        << help;
    EXPECT_EQ(render::usageText().find("--again"), std::string::npos);
    const std::vector<std::string> words { "--again" };
    EXPECT_EQ(render::parseCommandLine(words).error, "unknown action '--again'");

    const std::vector<std::string> arguments { "--drop",
        std::string(NIMBREL_SOURCE_DIR) + "/examples/sample/sample.txt", "--step", "--step", "--again",
        "--state" };
    const render::CommandLine line = render::parseCommandLine(arguments, design);
    ASSERT_FALSE(line.error) << *line.error;
    ASSERT_EQ(line.actions.size(), 5u);
    EXPECT_EQ(line.actions[3].kind, render::ActionKind::command);
    EXPECT_EQ(line.actions[3].control, Control::restart);

    std::ostringstream out, errors;
    render::RenderDriver driver(out, errors, false, design);
    for (const render::Action& action : line.actions)
        driver.perform(action);
    driver.close();
    EXPECT_EQ(errors.str(), "");
    EXPECT_NE(out.str().find("\"frame\":1,"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("\"paused\":true"), std::string::npos) << out.str();
}
