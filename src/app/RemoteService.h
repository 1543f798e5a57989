#pragma once

// The viewer on the session bus: it owns the name io.github.nimbrel.Nimbrel
// and serves the window's requests from outside (open, press, play,
// pattern, state) at one object. It only wires the bus to the requests
// below this layer: a refusal answers the caller with a D-Bus error and
// changes nothing; a load error answers the caller too and then shows in
// the window's error box, as a drop's does.

#include <QDBusContext>
#include <QObject>
#include <QString>

#include <memory>

class TForm1;

namespace playback {
class RemoteCommands;
}

namespace app {

inline constexpr char kBusName[] = "io.github.nimbrel.Nimbrel";
inline constexpr char kObjectPath[] = "/io/github/nimbrel/Nimbrel";
inline constexpr char kInterface[] = "io.github.nimbrel.Nimbrel";
// The D-Bus errors a request may answer.
inline constexpr char kRefusedError[] = "io.github.nimbrel.Nimbrel.Error.Refused";
inline constexpr char kFailedError[] = "io.github.nimbrel.Nimbrel.Error.Failed";

class RemoteService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.github.nimbrel.Nimbrel")

public:
    explicit RemoteService(TForm1& form);
    ~RemoteService() override;

    // Serves the object and takes the name, unless another viewer owns it;
    // false (and nothing served) without a session bus or with the name taken.
    bool registerOnSessionBus();

public slots:
    // Loads the file as a drop does and brings the window to the front.
    void Open(const QString& path);
    void Press(const QString& control);
    void Play(int animation);
    void Pattern(const QString& text);
    QString State();

private:
    // Runs the request, turning what it raises into the caller's D-Bus error.
    template <typename Request> void answer(Request&& request);

    TForm1& m_form;
    std::unique_ptr<playback::RemoteCommands> m_commands;
};

} // namespace app
