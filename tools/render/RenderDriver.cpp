#include "render/RenderDriver.h"

#include "platform/ErrorText.h"
#include "platform/Exception.h"
#include "platform/Text.h"
#include "render/StateJson.h"

#include <chrono>
#include <thread>

namespace render {

using form::Control;

RenderDriver::RenderDriver(
    std::ostream& out, std::ostream& errors, bool keepFrames, const form::FormDesign& design)
    : m_out(out)
    , m_errors(errors)
    , m_keepFrames(keepFrames)
    , m_design(design)
    , m_form(design)
    , m_formWindow(std::make_shared<platform::SoftWindow>(design.clientWidth, design.clientHeight))
    , m_viewWindow(std::make_shared<platform::SoftWindow>(kViewWidth, kViewHeight))
    , m_host(m_draw)
    , m_logic(m_form, m_host)
{
    m_form.onTextChanged = [this](Control control) {
        if (control == Control::Edit1)
            guarded([this] { m_logic.Edit1Change(); });
    };
    guarded([&] {
        m_logic.FormCreate();
        setUpDisplay(design);
    });
}

RenderDriver::~RenderDriver()
{
    close();
}

void RenderDriver::setUpDisplay(const form::FormDesign& design)
{
    const form::Bounds view = design.find(Control::DXDraw1)->bounds;
    m_formWindow->setGeometry({ 0, 0 }, design.clientWidth, design.clientHeight);
    m_viewWindow->setGeometry({ view.left, view.top }, view.width, view.height);
    m_draw.OnInitializeSurface
        = [this](TCustomDXDraw& sender) { m_logic.DXDraw1InitializeSurface(*sender.DirectDraw()); };
    m_draw.OnFinalizeSurface = [this](TCustomDXDraw&) { m_logic.DXDraw1FinalizeSurface(); };

    // As the form reads its stored properties, then is shown.
    display::beginViewLoading(m_draw, m_formWindow, m_viewWindow);
    m_draw.SetBounds(view.left, view.top, view.width, view.height);
    display::endViewLoading(m_draw);
}

void RenderDriver::close()
{
    if (m_closed)
        return;
    m_closed = true;
    guarded([this] { m_draw.FormDestroying(); });
    m_draw.OnInitializeSurface = nullptr;
    m_draw.OnFinalizeSurface = nullptr;
    m_form.onTextChanged = nullptr;
}

template <typename Handler> void RenderDriver::guarded(Handler&& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        report(error);
    } catch (...) {
        // As the window's handlers: whatever else escapes is reported too.
        report(Exception(platform::kSUnexpectedError));
    }
}

void RenderDriver::report(const std::exception& error)
{
    // A silent abort shows no box in the window either.
    const std::optional<std::string> text = platform::reportedText(error);
    if (!text)
        return;
    m_errorReported = true;
    // stderr is a terminal: a sheet name from the file may hold escape sequences.
    m_errors << platform::withVisibleControls(*text) << '\n' << std::flush;
}

void RenderDriver::printLine(const std::string& line)
{
    m_out << line << '\n' << std::flush;
}

void RenderDriver::perform(const Action& action)
{
    switch (action.kind) {
    case ActionKind::drop:
        guarded([&] { m_logic.drop(action.text); });
        break;
    case ActionKind::press:
        guarded([&] { m_logic.press(action.control); });
        break;
    case ActionKind::toggle:
        toggle(action.control);
        break;
    case ActionKind::speed:
        m_form.setText(Control::Edit1, action.text);
        break;
    case ActionKind::pattern:
        m_form.setText(Control::Edit2, action.text);
        break;
    case ActionKind::frames:
        runFrames(action.count);
        break;
    case ActionKind::state:
        printLine(stateJson(m_form, m_logic, m_closeup));
        break;
    case ActionKind::tables:
        printLine(tablesJson(m_logic.state().tables));
        break;
    case ActionKind::out:
    case ActionKind::gif:
    case ActionKind::scale:
        // Written once the run is over.
        break;
    case ActionKind::report:
        writeReport(action.text);
        break;
    case ActionKind::command:
        guarded([&] { m_logic.press(action.control); });
        break;
    case ActionKind::sleep:
        std::this_thread::sleep_for(std::chrono::milliseconds(action.count));
        break;
    case ActionKind::closeup:
        writeCloseup(action.text);
        break;
    case ActionKind::closeupZoom:
        m_closeup.zoom = static_cast<int>(action.count);
        break;
    case ActionKind::onion:
        m_closeup.onion.before = action.before;
        m_closeup.onion.after = action.after;
        break;
    case ActionKind::closeupToggle:
        closeupToggle(action.text);
        break;
    case ActionKind::frameList:
        writeFrameList(action.text);
        break;
    }
}

void RenderDriver::toggle(Control control)
{
    // A check box flips its own mark and has no command; a menu item's
    // command is what flips its mark.
    const form::Row* row = m_design.find(control);
    if (row != nullptr && row->kind == form::ControlKind::CheckBox) {
        m_form.setChecked(control, !m_form.isChecked(control));
        return;
    }
    guarded([&] { m_logic.press(control); });
}

void RenderDriver::runFrames(std::uint32_t count)
{
    for (std::uint32_t i = 0; i < count; ++i) {
        bool done = true;
        guarded([&] { m_logic.idle(done); });
        if (m_keepFrames) {
            m_strip.append(m_draw.Surface());
            m_intervals.push_back(m_logic.state().frameInterval);
        }
    }
}

} // namespace render
