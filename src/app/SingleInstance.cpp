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

std::optional<int> handToRunningViewer(const StartOptions& options)
{
    if (options.newWindow || !(options.file || options.play || options.pattern))
        return std::nullopt;
    std::string path;
    if (options.file) {
        // The running viewer has another working folder. A path that is no
        // UTF-8 cannot travel as a D-Bus string; such a file opens here.
        std::error_code error;
        path = std::filesystem::absolute(*options.file, error).string();
        if (error || !platform::isValidUtf8(path))
            return std::nullopt;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(kBusName).value())
        return std::nullopt;
    std::string problem;
    if (options.file) {
        const QDBusMessage reply = call(bus, "Open", QString::fromStdString(path));
        // The viewer closed since it was asked for: this start is the viewer.
        if (reply.errorName() == "org.freedesktop.DBus.Error.ServiceUnknown")
            return std::nullopt;
        problem = problemOf(reply);
    }
    if (problem.empty() && options.play)
        problem = problemOf(call(bus, "Play", *options.play));
    if (problem.empty() && options.pattern)
        problem = problemOf(call(bus, "Pattern", QString::fromStdString(*options.pattern)));
    if (problem.empty())
        return 0;
    std::fprintf(stderr, "nimbrel: %s\n", problem.c_str());
    return 1;
}

} // namespace app
