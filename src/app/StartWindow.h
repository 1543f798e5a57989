#pragma once

// Opening the main window at start. The display control sets itself up when
// the window is first shown, and only then is there a sheet surface for a
// load to fill: a file named on the command line is opened after the show,
// and what --play or --pattern asks for is played after the load.

#include <optional>
#include <string>

class QTranslator;
class TForm1;

namespace app {

struct StartOptions;

// Qt's own texts (the buttons of the file dialogs and message boxes, the
// edit boxes' context menus) in Japanese like the window's, whatever the
// locale. Without the translation installed they stay English.
void installQtTranslation(QTranslator& translator);

void showMainWindow(TForm1& form, const std::optional<std::string>& file);

// --play and --pattern of a viewer that opens its own window; an animation
// the file lacks shows in the error box.
void playAtStart(TForm1& form, const StartOptions& options);

} // namespace app
