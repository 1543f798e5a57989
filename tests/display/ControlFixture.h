#pragma once

#include "display/DXClass.h"
#include "display/DXDraws.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace displaytest {

using namespace platform;

inline constexpr TDXDrawOptions kFormOptions
    = doAllowReboot | doCenter | doRetainedMode | doHardware | doSelectDriver;

// A control placed on a form as the main window places DXDraw1, with
// handlers that record the events and keep a sheet surface as the main
// window does.
class ControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        draw.Loading = true;
        draw.SetForm(form);
        draw.SetWindowHandle(window);
        draw.SetBounds(104, 0, 121, 271);
        draw.SetOptions(kFormOptions);
        draw.SetSurfaceWidth(121);
        draw.SetSurfaceHeight(271);
        draw.Loaded();
        const auto record = [this](const char* name) {
            return [this, name](TCustomDXDraw& sender) {
                EXPECT_EQ(&sender, &draw);
                events.push_back(name);
            };
        };
        draw.OnInitializing = record("Initializing");
        draw.OnInitialize = record("Initialize");
        draw.OnRestoreSurface = record("RestoreSurface");
        draw.OnFinalize = [this](TCustomDXDraw&) {
            events.push_back("Finalize");
            EXPECT_NE(draw.DirectDraw(), nullptr);
        };
        draw.OnInitializeSurface = [this](TCustomDXDraw& sender) {
            events.push_back("InitializeSurface");
            sheet = new TDirectDrawSurface(sender.DirectDraw());
        };
        draw.OnFinalizeSurface = [this](TCustomDXDraw& sender) {
            events.push_back("FinalizeSurface");
            EXPECT_NE(sender.Surface(), nullptr);
            EXPECT_NE(sender.DirectDraw(), nullptr);
            delete sheet;
            sheet = nullptr;
        };
    }
    void TearDown() override
    {
        resetSoftDisplayTestHooks();
        restoreLibrariesForTesting();
        dxclass::FreeLibraries();
    }

    std::uint32_t shown(std::int32_t x, std::int32_t y) const
    {
        std::uint32_t v = 0;
        std::memcpy(&v, window->pixels()->scanLine(y) + 4 * x, 4);
        return v;
    }

    // The control goes first: its tear-down still records events.
    std::vector<std::string> events;
    TDirectDrawSurface* sheet = nullptr;
    HWND form = std::make_shared<SoftWindow>(400, 300);
    HWND window = std::make_shared<SoftWindow>(121, 271);
    TDXDraw draw;
};

} // namespace displaytest
