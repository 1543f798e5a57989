#include "app/RemoteService.h"

#include "app/CloseupWindows.h"
#include "app/ErrorReport.h"
#include "app/QtFormControls.h"
#include "app/Unit1.h"
#include "app/ZoomWindow.h"
#include "closeup/CloseupState.h"
#include "platform/ErrorText.h"
#include "playback/RemoteCommands.h"
#include "playback/StateJson.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QTimer>

#include <memory>

namespace app {

RemoteService::RemoteService(TForm1& form)
    : m_form(form)
    , m_commands(std::make_unique<playback::RemoteCommands>(form.controls(), form.logic()))
{
}

RemoteService::~RemoteService()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected() && bus.objectRegisteredAt(kObjectPath) == this) {
        bus.unregisterObject(kObjectPath);
        bus.unregisterService(kBusName);
    }
}

bool RemoteService::registerOnSessionBus()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.registerObject(kObjectPath, this, QDBusConnection::ExportAllSlots))
        return false;
    // Another viewer that took the name meanwhile keeps it; this one runs on
    // as a window of its own.
    if (bus.interface()->registerService(kBusName, QDBusConnectionInterface::DontQueueService,
            QDBusConnectionInterface::DontAllowReplacement)
        == QDBusConnectionInterface::ServiceRegistered)
        return true;
    bus.unregisterObject(kObjectPath);
    return false;
}

template <typename Request> void RemoteService::answer(Request&& request)
{
    try {
        request();
    } catch (const playback::ERemoteRefusal& refusal) {
        sendErrorReply(kRefusedError, QString::fromStdString(refusal.Message()));
    } catch (const std::exception& error) {
        sendErrorReply(kFailedError, QString::fromStdString(platform::errorMessage(error)));
        // The box is modal: shown once the caller has its answer, so that no
        // caller waits on a box nobody may be looking at.
        auto shown = std::make_shared<Exception>(platform::errorMessage(error));
        QTimer::singleShot(0, this, [shown] { reportError(*shown); });
    }
}

void RemoteService::Open(const QString& path)
{
    answer([&] { m_commands->open(path.toStdString()); });
    m_form.setWindowState(m_form.windowState() & ~Qt::WindowMinimized);
    m_form.raise();
    m_form.activateWindow();
}

void RemoteService::Press(const QString& control)
{
    answer([&] { m_commands->press(control.toStdString()); });
}

void RemoteService::Play(int animation)
{
    answer([&] { m_commands->play(animation); });
}

void RemoteService::Pattern(const QString& text)
{
    answer([&] { m_commands->pattern(text.toStdString()); });
}

QString RemoteService::State()
{
    playback::OrderedJson state
        = playback::stateObject(m_form.controls(), m_form.logic(), m_form.controls().clipboard());
    const ZoomWindow* zoom = m_form.closeup().zoom();
    closeup::addCloseupState(state, zoom != nullptr ? zoom->picture().onion() : closeup::OnionSettings {});
    return QString::fromStdString(playback::jsonLine(state));
}

} // namespace app
