// The files that the driver writes: the strip as a PNG or an animated GIF at
// the end of the run, and the character report when its action comes.

#include "render/RenderDriver.h"

#include "export/GifEncoder.h"
#include "export/Report.h"

#include <memory>

namespace render {

void RenderDriver::writeOutputs(const std::vector<Action>& actions, int scale)
{
    if (m_strip.empty())
        return;
    std::vector<exporter::Image> frames;
    std::vector<exporter::TimedImage> timed;
    for (const Action& action : actions) {
        if (action.kind == ActionKind::out) {
            try {
                m_strip.writePng(action.text, scale);
            } catch (const std::exception& error) {
                report(error);
            }
        } else if (action.kind == ActionKind::gif) {
            if (frames.empty()) {
                for (std::size_t i = 0; i < m_strip.size(); ++i)
                    frames.push_back(m_strip.frame(i));
                for (std::size_t i = 0; i < frames.size(); ++i)
                    timed.push_back({ &frames[i], m_intervals[i] });
            }
            try {
                exporter::writeAnimatedGif(action.text, timed, scale);
            } catch (const std::exception& error) {
                report(error);
            }
        }
    }
}

void RenderDriver::writeReport(const std::string& path)
{
    try {
        exporter::ReportInput input;
        input.name = m_form.caption(form::Control::Label1);
        input.definitionPath = m_logic.definitionPath();
        input.state = &m_logic.state();
        input.sheet = m_logic.sheetSurface();
        // Without a display the frames are composed on one of the report's
        // own; they show the background colour only, as there is no sheet.
        std::unique_ptr<TDirectDraw> own;
        input.directDraw = m_draw.DirectDraw();
        if (input.directDraw == nullptr) {
            own = std::make_unique<TDirectDraw>();
            input.directDraw = own.get();
        }
        exporter::writeReport(path, input);
    } catch (const std::exception& error) {
        report(error);
    }
}

} // namespace render
