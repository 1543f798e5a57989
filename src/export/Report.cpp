#include "export/Report.h"

#include "export/AtomicFile.h"
#include "export/Html.h"
#include "export/ReportParts.h"

#include "character/Paths.h"
#include "display/DXDraws.h"

namespace exporter {

namespace {

constexpr const char* kStyle = R"(<style>
body{font-family:"IPAPGothic","Noto Sans CJK JP",sans-serif;margin:1.5em;color:#222;background:#fafafa}
h1{margin:0 0 .3em}h2{border-bottom:2px solid #8a6;padding-bottom:.2em;margin-top:1.6em}
dl.facts{display:grid;grid-template-columns:max-content auto;gap:.2em 1em;margin:0}
dl.facts dt{font-weight:bold}dl.facts dd{margin:0}
.sheet{position:relative;display:inline-block;line-height:0;border:1px solid #999}
.sheet img,.sheet svg{position:absolute;left:0;top:0}.sheet img{position:static}
svg .pat{filter:drop-shadow(0 0 1px #fff)}
svg .pat rect{fill:none;stroke:#000;stroke-width:1.5}
svg .pat text{fill:#000;stroke:#fff;stroke-width:3px;paint-order:stroke;font:bold 12px sans-serif}
svg .pat.place rect{stroke:#06c;stroke-dasharray:4 3}svg .pat.place text{fill:#06c}
svg .pat:hover rect{fill:rgba(255,255,0,.35);stroke-width:3}
section.animation{background:#fff;border:1px solid #ccc;border-radius:6px;padding:.2em 1em 1em;margin:1em 0}
.play{display:flex;gap:1.5em;align-items:flex-start}
.scroll{overflow-x:auto;max-width:100%}
.strip img{display:block}
ol.frames{display:grid;list-style:none;margin:0;padding:0;font-size:11px}
ol.frames li{border-left:1px solid #ddd;padding:2px 3px;line-height:1.35}
ol.frames b{font-size:13px}
pre.listing{background:#fff;border:1px solid #ccc;padding:.5em;overflow-x:auto;line-height:1.4}
pre.listing a.n{display:inline-block;width:4em;color:#888;text-decoration:none;user-select:none}
pre.listing span:target{background:#ffa}
ul.diagnostics{line-height:1.6}ul.diagnostics .error b{color:#c00}ul.diagnostics .warning b{color:#a60}
</style>
)";

std::string orNone(const std::string& text)
{
    return text.empty() ? "（なし）" : escapeHtml(text);
}

// The page is shared: it names the files as the definition writes them, not
// by where they lie on this machine.
std::string fileName(const std::string& path)
{
    return path.substr(character::definitionFolder(path).size());
}

void appendHeader(std::string& page, const ReportInput& input, const DefinitionListing& listing)
{
    const character::CharacterState& state = *input.state;
    page += "<header><h1>" + orNone(input.name) + "</h1>\n<dl class=\"facts\">\n";
    page += "<dt>フレーム間隔</dt><dd>" + std::to_string(state.frameInterval) + " ミリ秒</dd>\n";
    page += "<dt>シート画像</dt><dd>" + orNone(state.sheetPath.empty() ? std::string() : listing.sheetName);
    if (input.sheet != nullptr && input.sheet->Width() > 0)
        page += "（" + std::to_string(input.sheet->Width()) + " × " + std::to_string(input.sheet->Height())
            + " ピクセル）";
    page += "</dd>\n<dt>定義ファイル</dt><dd>" + orNone(fileName(input.definitionPath))
        + "</dd>\n</dl></header>\n";
}

void appendListing(std::string& page, const DefinitionListing& listing)
{
    page += "<section id=\"listing\"><h2>定義ファイル</h2>\n";
    if (!listing.readable) {
        page += "<p>定義ファイルを読めません。</p></section>\n";
        return;
    }
    page += "<pre class=\"listing\">";
    for (std::size_t i = 0; i < listing.lines.size(); ++i) {
        const std::string id = "L" + std::to_string(i + 1);
        page += "<span id=\"" + id + "\"><a class=\"n\" href=\"#" + id + "\">" + std::to_string(i + 1)
            + "</a>" + escapeHtml(listing.lines[i]) + "</span>\n";
    }
    page += "</pre></section>\n";
}

} // namespace

std::string reportHtml(const ReportInput& input)
{
    // Everything from the bytes that were loaded: the file may have been
    // edited since, and the page must not contradict itself.
    const auto& text = input.state->definitionText;
    const DefinitionListing listing = text != nullptr ? definitionListing(*text) : DefinitionListing {};
    std::string page = "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width\">\n<title>";
    page += orNone(input.name) + " — Nimbrel キャラクターレポート</title>\n";
    page += kStyle;
    page += "</head>\n<body>\n";
    appendHeader(page, input, listing);
    report::appendSheet(page, input, listing);
    report::appendAnimations(page, input);
    report::appendDiagnostics(page, input, listing.lines.size());
    appendListing(page, listing);
    page += "</body>\n</html>\n";
    return page;
}

void writeReport(const std::string& path, const ReportInput& input)
{
    const std::string page = reportHtml(input);
    writeFileAtomically(path, std::span(reinterpret_cast<const std::uint8_t*>(page.data()), page.size()));
}

} // namespace exporter
