#include "render/RenderDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

using character::Control;

struct DriverRun {
    std::string out;
    std::string errors;
    // Red of the pixels (x, 100) of the first frame.
    std::vector<int> red;
};

DriverRun runWith(const character::FormDesign& design)
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
    const DriverRun before = runWith(character::kFormDesign);
    ASSERT_EQ(before.errors, "");
    ASSERT_NE(before.out.find("\"Label1\":\"名前\""), std::string::npos) << before.out;

    auto controls = character::kControlDesigns;
    rowOf(controls, Control::Label1).caption = "Name";
    rowOf(controls, Control::DXDraw1).bounds.width = 60;
    character::FormDesign design = character::kFormDesign;
    design.controls = controls;
    const DriverRun after = runWith(design);
    ASSERT_EQ(after.errors, "");
    EXPECT_NE(after.out.find("\"Label1\":\"Name\""), std::string::npos) << after.out;
    // The view follows its row: a surface sixty columns wide leaves the rest
    // of the frame black, where the design's view draws there.
    ASSERT_EQ(after.red.size(), before.red.size());
    EXPECT_TRUE(std::all_of(after.red.begin() + 60, after.red.end(), [](int red) { return red == 0; }));
    EXPECT_FALSE(std::all_of(before.red.begin() + 60, before.red.end(), [](int red) { return red == 0; }));
}
