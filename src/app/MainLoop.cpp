#include "app/MainLoop.h"

#include "app/ErrorReport.h"
#include "platform/Clock.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <utility>

namespace app {

MainLoop* Application = nullptr;

int MainLoop::run()
{
    while (!m_terminated) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (m_terminated)
            break;
        bool done = true;
        if (m_idle)
            guarded([&] { m_idle(done); });
        for (const std::function<void()>& work : std::exchange(m_afterFirstPass, {}))
            guarded(work);
        if (done && !m_terminated)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return 0;
}

void MainLoop::processMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void MainLoop::waitForMessagesUntil(std::uint32_t deadline)
{
    const auto remaining = static_cast<std::int32_t>(deadline - platform::timeGetTime());
    if (remaining <= 0) {
        processMessages();
        return;
    }
    // The timer only wakes the wait at the deadline; anything else that
    // arrives first ends the wait early so the caller can look again.
    QTimer wake;
    wake.setTimerType(Qt::PreciseTimer);
    wake.setSingleShot(true);
    wake.start(remaining);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace app
