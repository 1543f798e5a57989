// The program start: the framework, the application title, the main window,
// and the main loop until the window is closed. `nimbrel FILE` opens FILE as
// if it had been dropped on the window, or hands it to the viewer already
// running in this session.

#include "app/FontConfigWarmUp.h"
#include "app/MainLoop.h"
#include "app/RemoteService.h"
#include "app/SingleInstance.h"
#include "app/StartOptions.h"
#include "app/StartWindow.h"
#include "app/Unit1.h"
#include "app/WindowLook.h"
#include "character/SheetPreload.h"

#include <QApplication>
#include <QTranslator>

#include <cstdio>
#include <optional>
#include <span>

namespace {

constexpr int kExitUsage = 2;

std::span<const char* const> argumentsOf(int argc, char* argv[])
{
    return { argv + (argc > 0 ? 1 : 0), argv + argc };
}

// --help, --version and usage errors are answered before the framework
// starts, so they need no display; -1 when the window is to open.
int answerWithoutWindow(const app::StartOptions& options)
{
    switch (options.action) {
    case app::StartAction::help:
        std::fputs(app::startHelpText().c_str(), stdout);
        return 0;
    case app::StartAction::version:
        std::fputs("nimbrel " NIMBREL_VERSION "\n", stdout);
        return 0;
    case app::StartAction::usageError:
        std::fputs(app::startUsageError(options).c_str(), stderr);
        return kExitUsage;
    case app::StartAction::open:
        break;
    }
    return -1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (const int rc = answerWithoutWindow(app::readStartOptions(argumentsOf(argc, argv))); rc >= 0)
        return rc;
    app::FontConfigWarmUp fonts;
    // The menus stay in the window, as it is designed, where the desktop
    // would take them into a menu bar of its own; asking the desktop whether
    // it has one was a call on the session bus before the first frame.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication application(argc, argv);
    QApplication::setApplicationName("Nimbrel");
    QApplication::setApplicationVersion(NIMBREL_VERSION);
    QGuiApplication::setDesktopFileName("io.github.nimbrel.Nimbrel");
    QApplication::setQuitOnLastWindowClosed(false);
    QTranslator qtTexts;
    app::installQtTranslation(qtTexts);
    // The framework has taken its own options (-platform ...) out of argv.
    const app::StartOptions options = app::readStartOptions(argumentsOf(argc, argv));
    app::RunningViewer running(options);
    // The sheet is read while the window is built, on the processor that the
    // building leaves free.
    std::optional<character::SheetPreload> sheet;
    if (options.file)
        sheet.emplace(*options.file);
    fonts.finish();
    app::installWindowStyle();
    app::MainLoop loop;
    app::Application = &loop;
    int rc = 0;
    {
        TForm1 form;
        if (const std::optional<int> handed = running.handOver()) {
            // The window was built while the bus was asked, and is never shown.
            app::Application = nullptr;
            return *handed;
        }
        Form1 = &form;
        app::showMainWindow(form, options.file);
        sheet.reset();
        app::playAtStart(form, options);
        app::RemoteService service(form);
        // The name is taken once the first pass is over, so that the first
        // frame never waits on the bus.
        loop.afterFirstPass([&service] { service.registerOnSessionBus(); });
        rc = loop.run();
        Form1 = nullptr;
    }
    app::Application = nullptr;
    return rc;
}
