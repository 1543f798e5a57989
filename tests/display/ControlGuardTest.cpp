// The update guard around the control's events, and handlers of the set-up
// events that raise.

#include "ControlFixture.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using displaytest::ControlTest;
using displaytest::kFormOptions;

namespace {

using GuardSeen = std::vector<std::pair<std::string, bool>>; // (event, Updating while it ran)

// Wraps a handler so that it first notes whether the guard was up.
void noteGuard(TDXDrawNotifyEvent& slot, const char* name, TCustomDXDraw& draw, GuardSeen& seen)
{
    slot = [inner = slot, name, &draw, &seen](TCustomDXDraw& sender) {
        seen.emplace_back(name, draw.Updating());
        if (inner)
            inner(sender);
    };
}

// Handlers of the set-up events may draw and ask CanDraw; the restore and
// the tear-down run under the guard, so nothing draws while they work.
TEST_F(ControlTest, TheGuardIsDownForTheSetUpEventsAndUpForTheOthers)
{
    GuardSeen seen;
    noteGuard(draw.OnInitializing, "Initializing", draw, seen);
    noteGuard(draw.OnInitialize, "Initialize", draw, seen);
    noteGuard(draw.OnInitializeSurface, "InitializeSurface", draw, seen);
    noteGuard(draw.OnRestoreSurface, "RestoreSurface", draw, seen);
    noteGuard(draw.OnFinalizeSurface, "FinalizeSurface", draw, seen);
    noteGuard(draw.OnFinalize, "Finalize", draw, seen);
    draw.FormShown();
    EXPECT_FALSE(draw.Updating());
    draw.FormDestroying();
    EXPECT_FALSE(draw.Updating());
    const GuardSeen expected {
        { "Initializing", false },
        { "Initialize", false },
        { "InitializeSurface", false },
        { "RestoreSurface", true },
        { "FinalizeSurface", true },
        { "Finalize", true },
    };
    EXPECT_EQ(seen, expected);
}

// A set-up handler that raises leaves the control set up, without the
// restore and without the events after it; the tear-down later answers only
// the events that were raised.
TEST_F(ControlTest, ASetUpHandlerThatRaisesLeavesTheControlSetUpUnrestored)
{
    struct Case {
        const char* raising;
        std::vector<std::string> setUp;
        std::vector<std::string> tearDown;
    };
    const Case cases[] = {
        { "Initialize", { "Initializing", "Initialize" }, { "Finalize" } },
        { "InitializeSurface", { "Initializing", "Initialize", "InitializeSurface" },
            { "FinalizeSurface", "Finalize" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.raising);
        TDXDraw control;
        control.SetForm(form);
        control.SetWindowHandle(window);
        control.SetBounds(104, 0, 121, 271);
        control.SetOptions(kFormOptions);
        std::vector<std::string> seen;
        const auto record = [&](const char* name) {
            return [&, name](TCustomDXDraw&) {
                seen.push_back(name);
                if (std::string(name) == c.raising)
                    throw Exception("handler");
            };
        };
        control.OnInitializing = record("Initializing");
        control.OnInitialize = record("Initialize");
        control.OnInitializeSurface = record("InitializeSurface");
        control.OnRestoreSurface = record("RestoreSurface");
        control.OnFinalizeSurface = record("FinalizeSurface");
        control.OnFinalize = record("Finalize");
        // Pixels of the control's screen area that a restore would blank.
        std::memset(window->pixels()->scanLine(5), 0x55, 4 * 121);

        EXPECT_THROW(control.FormShown(), Exception);
        EXPECT_EQ(seen, c.setUp);
        EXPECT_TRUE(control.Initialized());
        EXPECT_FALSE(control.Updating());
        EXPECT_TRUE(control.CanDraw());
        EXPECT_EQ(shown(5, 5), 0x55555555u);

        seen.clear();
        control.FormShown(); // the hook never sets up twice
        EXPECT_TRUE(seen.empty());
        control.FormDestroying();
        EXPECT_EQ(seen, c.tearDown);
        EXPECT_FALSE(control.Initialized());
    }
}

} // namespace
