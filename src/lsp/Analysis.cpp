#include "lsp/Analysis.h"

#include "character/Paths.h"
#include "check/Checker.h"
#include "platform/ErrorText.h"

#include <algorithm>
#include <tuple>

namespace lsp {

OpenDocument::OpenDocument(std::string uri, std::string path, std::string text, int version)
    : m_uri(std::move(uri))
    , m_path(std::move(path))
    , m_version(version)
    , m_charset(m_path.empty() ? Charset::shiftJis : charsetOfFile(m_path))
    , m_document(std::move(text))
{
}

void OpenDocument::changed(int version)
{
    m_version = version;
    m_analysis.reset();
}

void OpenDocument::saved()
{
    if (m_path.empty())
        return;
    const Charset charset = charsetOfFile(m_path);
    if (charset != m_charset) {
        m_charset = charset;
        m_analysis.reset();
    }
}

const Analysis& OpenDocument::analysis(SheetCache& sheets)
{
    if (m_analysis)
        return *m_analysis;
    DiskText disk(m_document, m_charset);
    // A document without a file checks its sheet names against the
    // server's folder, as a load from there would.
    const std::string path = m_path.empty() ? std::string("./untitled") : m_path;
    check::Report report = check::checkDefinition(disk.bytes(), path, sheets.opener());
    Index index = indexDefinition(disk.bytes());
    for (const Unencodable& u : disk.unencodable()) {
        const std::string character(m_document.line(u.line).substr(u.byte, u.endByte - u.byte));
        const std::size_t column = disk.column(u.line, u.byte);
        report.diagnostics.push_back(check::Diagnostic { check::Severity::error, kCodeEncoding,
            platform::format(kSUnencodable, { character }), SourceRange { u.line + 1, column, column + 1 } });
    }
    std::stable_sort(report.diagnostics.begin(), report.diagnostics.end(),
        [](const check::Diagnostic& a, const check::Diagnostic& b) {
            return std::tie(a.at.line, a.at.column) < std::tie(b.at.line, b.at.column);
        });
    m_analysis = std::make_unique<Analysis>(
        Analysis { std::move(disk), std::move(report), std::move(index), std::nullopt });
    return *m_analysis;
}

TextPlace OpenDocument::start(const SourceRange& at) const
{
    if (at.line == 0)
        return TextPlace {};
    return TextPlace { at.line - 1, m_analysis->disk.textByte(at.line - 1, at.column) };
}

TextPlace OpenDocument::end(const SourceRange& at) const
{
    if (at.line == 0)
        return TextPlace {};
    const std::size_t column = std::max(at.endColumn, at.column);
    return TextPlace { at.line - 1, m_analysis->disk.textByte(at.line - 1, column, true) };
}

Range OpenDocument::range(const SourceRange& at, PositionEncoding encoding) const
{
    return Range { m_document.position(start(at), encoding), m_document.position(end(at), encoding) };
}

std::pair<std::size_t, std::size_t> OpenDocument::column(Position position, PositionEncoding encoding) const
{
    const TextPlace place = m_document.place(position, encoding);
    return { place.line + 1, m_analysis->disk.column(place.line, place.byte) };
}

std::string sheetPathOf(const OpenDocument& document, const Index& index)
{
    const std::string path = document.path().empty() ? std::string("./untitled") : document.path();
    return character::sheetPath(character::definitionFolder(path), index.sheetName);
}

} // namespace lsp
