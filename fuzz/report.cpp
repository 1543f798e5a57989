// The report writer on a definition and a sheet from the input: the first
// two bytes give the definition's length, the rest after it is the sheet.
// Whatever loads, the page must be valid UTF-8 with no control characters
// (tab and line ends apart) and its sections closed.
#include "export/Report.h"
#include "Input.h"
#include "ScratchFolder.h"
#include "character/LoadProcedure.h"
#include "display/DXDraws.h"
#include "platform/Text.h"
#include "playback/HeadlessForm.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

std::string folder()
{
    static const std::string made = fuzzinput::makeScratchFolder();
    return made;
}

void save(const std::string& path, std::span<const std::uint8_t> bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::size_t count(const std::string& text, const std::string& part)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzinput::Input in({ data, size });
    const std::size_t length = std::size_t { in.byte() } << 8 | in.byte();
    const std::string prefix = "#CHARBMP sheet.bmp\r\n";
    std::vector<std::uint8_t> definition(prefix.begin(), prefix.end());
    const auto text = in.take(length);
    definition.insert(definition.end(), text.begin(), text.end());
    const std::string path = folder() + "def.txt";
    save(path, definition);
    save(folder() + "sheet.bmp", in.rest());

    TDirectDraw directDraw;
    TDirectDrawSurface sheet(&directDraw);
    playback::HeadlessForm form;
    auto state = std::make_unique<character::CharacterState>();
    try {
        character::fileload(path, *state, form, &sheet);
    } catch (const Exception&) {
        // The report shows what loaded up to the failure.
    }
    // A large sheet is legal, but encoding it costs seconds under the
    // sanitizers; its loading was searched above.
    if (std::int64_t { sheet.Width() } * sheet.Height() > 256 * 256)
        return 0;
    const std::string page = exporter::reportHtml(exporter::ReportInput {
        form.caption(form::Control::Label1), path, state.get(), &sheet, &directDraw });
    if (!platform::isValidUtf8(page))
        std::abort();
    for (const char c : page)
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F)
            std::abort();
    if (count(page, "<section") != count(page, "</section>") || !page.ends_with("</html>\n"))
        std::abort();
    return 0;
}
