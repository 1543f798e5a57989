#include "app/StartWindow.h"

#include "app/ErrorReport.h"
#include "app/QtFormControls.h"
#include "app/StartOptions.h"
#include "app/Unit1.h"
#include "playback/RemoteCommands.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace app {

void installQtTranslation(QTranslator& translator)
{
    if (translator.load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
}

void showMainWindow(TForm1& form, const std::optional<std::string>& file)
{
    form.show();
    if (file)
        form.dropFile(*file);
}

void playAtStart(TForm1& form, const StartOptions& options)
{
    if (!options.play && !options.pattern)
        return;
    playback::RemoteCommands commands(form.controls(), form.logic());
    guarded([&] {
        if (options.play)
            commands.play(*options.play);
        else
            commands.pattern(*options.pattern);
    });
}

} // namespace app
