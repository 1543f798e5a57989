#pragma once

// Stands in for the main window: a headless form, a real display control on
// the software display, the window's command logic and a simulated clock.
// Each action does what the matching user input does in the window; an
// error goes to the error stream in the words of the window's message box,
// and the run goes on with the state that the failure left.

#include "closeup/CloseupPicture.h"
#include "closeup/FrameList.h"
#include "display/DXDraws.h"
#include "platform/SoftDisplay.h"
#include "playback/FormLogic.h"
#include "playback/HeadlessForm.h"
#include "render/Arguments.h"
#include "render/FrameStrip.h"
#include "render/SimulatedHost.h"

#include <ostream>

namespace render {

class RenderDriver {
public:
    // `keepFrames`: whether idle steps keep the view (only a strip needs it).
    // The form starts from `design`, and the view takes its place and size
    // from the design's row of DXDraw1; `design` must outlive the driver.
    RenderDriver(std::ostream& out, std::ostream& errors, bool keepFrames,
        const form::FormDesign& design = form::kFormDesign);
    ~RenderDriver();
    RenderDriver(const RenderDriver&) = delete;
    RenderDriver& operator=(const RenderDriver&) = delete;

    void perform(const Action& action);
    // Tears the display down as the window's destruction does.
    void close();

    bool errorReported() const { return m_errorReported; }
    // The zoom window's settings as the actions left them.
    const closeup::CloseupSettings& closeupSettings() const { return m_closeup; }
    const FrameStrip& strip() const { return m_strip; }
    // The frame interval in effect when each frame of the strip was kept.
    const std::vector<std::int32_t>& intervals() const { return m_intervals; }

    // Writes the strip, enlarged, to each file: a PNG for --out, an
    // animated GIF for --gif. A file that cannot be written is reported.
    void writeOutputs(const std::vector<Action>& actions, int scale);

private:
    template <typename Handler> void guarded(Handler&& handler);
    void report(const std::exception& error);

    void setUpDisplay(const form::FormDesign& design);
    void toggle(form::Control control);
    void runFrames(std::uint32_t count);
    void printLine(const std::string& line);
    void writeReport(const std::string& path);
    void closeupToggle(const std::string& name);
    void writeCloseup(const std::string& path);
    void writeFrameList(const std::string& path);

    std::ostream& m_out;
    std::ostream& m_errors;
    bool m_keepFrames;
    bool m_errorReported = false;
    bool m_closed = false;
    const form::FormDesign& m_design;

    playback::HeadlessForm m_form;
    platform::HWND m_formWindow;
    platform::HWND m_viewWindow;
    TDXDraw m_draw;
    SimulatedHost m_host;
    playback::FormLogic m_logic;
    FrameStrip m_strip;
    std::vector<std::int32_t> m_intervals;
    closeup::CloseupSettings m_closeup;
    // Kept for the run, as the window keeps its strip, so that a second
    // --frame-list of the same animation makes no picture again.
    closeup::FrameList m_frameList;
};

} // namespace render
