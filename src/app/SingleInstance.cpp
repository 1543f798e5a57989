#include "app/SingleInstance.h"

#include "app/RemoteService.h"
#include "app/StartOptions.h"
#include "platform/Text.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QVariant>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace app {

namespace {

// Loading a large sheet may take the viewer a while; a viewer that does not
// answer at all is waited for no longer than this.
constexpr int kCallTimeoutMs = 20000;

QDBusMessage call(QDBusConnection& bus, const char* method, const QVariant& argument)
{
    QDBusMessage message = QDBusMessage::createMethodCall(kBusName, kObjectPath, kInterface, method);
    message << argument;
    return bus.call(message, QDBus::Block, kCallTimeoutMs);
}

// The message of a failed call; empty when it succeeded.
std::string problemOf(const QDBusMessage& reply)
{
    if (reply.type() != QDBusMessage::ErrorMessage)
        return {};
    return reply.errorMessage().isEmpty() ? reply.errorName().toStdString()
                                          : reply.errorMessage().toStdString();
}

} // namespace

RunningViewer::RunningViewer(const StartOptions& options)
    : m_options(options)
{
    if (options.newWindow || !(options.file || options.play || options.pattern))
        return;
    if (options.file) {
        // The running viewer has another working folder. A path that is no
        // UTF-8 cannot travel as a D-Bus string; such a file opens here.
        std::error_code error;
        m_path = std::filesystem::absolute(*options.file, error).string();
        if (error || !platform::isValidUtf8(m_path))
            return;
    }
    m_running = std::async(std::launch::async, [] {
        QDBusConnection bus = QDBusConnection::sessionBus();
        return bus.isConnected() && bus.interface()->isServiceRegistered(kBusName).value();
    });
}

std::optional<int> RunningViewer::handOver()
{
    if (!m_running.valid() || !m_running.get())
        return std::nullopt;
    QDBusConnection bus = QDBusConnection::sessionBus();
    std::string problem;
    if (m_options.file) {
        const QDBusMessage reply = call(bus, "Open", QString::fromStdString(m_path));
        // The viewer closed since it was asked for: this start is the viewer.
        if (reply.errorName() == "org.freedesktop.DBus.Error.ServiceUnknown")
            return std::nullopt;
        problem = problemOf(reply);
    }
    if (problem.empty() && m_options.play)
        problem = problemOf(call(bus, "Play", *m_options.play));
    if (problem.empty() && m_options.pattern)
        problem = problemOf(call(bus, "Pattern", QString::fromStdString(*m_options.pattern)));
    if (problem.empty())
        return 0;
    std::fprintf(stderr, "nimbrel: %s\n", problem.c_str());
    return 1;
}

} // namespace app
