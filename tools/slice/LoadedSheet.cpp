#include "LoadedSheet.h"

#include "character/LoadProcedure.h"
#include "display/DXDraws.h"
#include "platform/Exception.h"
#include "playback/HeadlessForm.h"

namespace slicetool {

bool isSheetImage(const std::string& path)
{
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return false;
    std::string extension = path.substr(dot + 1);
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return extension == "bmp" || extension == "dib";
}

LoadedSheet loadSheet(const std::string& path)
{
    LoadedSheet loaded;
    // The sheet lives on a display of its own, in the display's pixel
    // format, so its raw values and key are those the window compares.
    TDirectDraw directDraw;
    TDirectDrawSurface surface(&directDraw);
    if (isSheetImage(path)) {
        surface.LoadFromFile(path);
        character::takeTransparentColor(surface);
    } else {
        playback::HeadlessForm form;
        character::fileload(path, loaded.state, form, &surface);
    }
    loaded.sheet.capture(&surface);
    if (loaded.sheet.empty())
        throw Exception(kSNoSheet);
    return loaded;
}

} // namespace slicetool
