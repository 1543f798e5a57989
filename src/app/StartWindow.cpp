#include "app/StartWindow.h"

#include "app/Unit1.h"

namespace app {

void showMainWindow(TForm1& form, const std::optional<std::string>& file)
{
    form.show();
    if (file)
        form.dropFile(*file);
}

} // namespace app
