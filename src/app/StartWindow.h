#pragma once

// Opening the main window at start. The display control sets itself up when
// the window is first shown, and only then is there a sheet surface for a
// load to fill: a file named on the command line is opened after the show.

#include <optional>
#include <string>

class TForm1;

namespace app {

void showMainWindow(TForm1& form, const std::optional<std::string>& file);

} // namespace app
