#include "check/Checker.h"

#include "character/DefinitionReader.h"
#include "character/Paths.h"
#include "check/CheckMessages.h"
#include "check/FinalChecks.h"
#include "check/LineHints.h"
#include "display/DXDraws.h"
#include "picture/Graphics.h"
#include "platform/ErrorText.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>

namespace check {

namespace {

// Only the size counts: a bitmap's pixels are not read when they cannot
// change it or the error.
SheetSize openPicture(const std::string& path)
{
    const TGraphicSize size = TPicture::FileSize(path);
    // The viewer would fail to make the sheet's surface: the same error.
    requireSheetSurfaceSize(size.Width, size.Height);
    return SheetSize { size.Width, size.Height };
}

bool before(const Diagnostic& a, const Diagnostic& b)
{
    return std::tie(a.at.line, a.at.column) < std::tie(b.at.line, b.at.column);
}

bool same(const Diagnostic& a, const Diagnostic& b)
{
    return a.at.line == b.at.line && a.at.column == b.at.column && a.at.endColumn == b.at.endColumn
        && a.code == b.code && a.message == b.message;
}

} // namespace

SheetOpener pictureSheetOpener()
{
    // The outcome of each path is kept, failures included, so that a file
    // that names one sheet on many lines reads it once.
    struct Outcome {
        SheetSize size;
        std::exception_ptr error;
    };
    auto seen = std::make_shared<std::map<std::string, Outcome>>();
    return [seen](const std::string& path) {
        auto it = seen->find(path);
        if (it == seen->end()) {
            Outcome outcome;
            try {
                outcome.size = openPicture(path);
            } catch (const Exception&) {
                outcome.error = std::current_exception();
            }
            it = seen->emplace(path, outcome).first;
        }
        if (it->second.error)
            std::rethrow_exception(it->second.error);
        return it->second.size;
    };
}

Report checkDefinition(std::span<const std::uint8_t> text, const std::string& path, const SheetOpener& opener)
{
    Report report;
    std::vector<Diagnostic>& out = report.diagnostics;
    const std::string_view bytes(reinterpret_cast<const char*>(text.data()), text.size());
    if (startsWithByteOrderMark(bytes))
        out.push_back(Diagnostic { Severity::warning, kCodeBom, kSBom, SourceRange { 1, 1, 4 } });
    CheckSink sink(character::definitionFolder(path), opener, out);
    character::parseDefinition(text, sink);
    finalChecks(sink.model(), out);
    std::stable_sort(out.begin(), out.end(), before);
    out.erase(std::unique(out.begin(), out.end(), same), out.end());
    return report;
}

CheckedFile checkFile(const std::string& path, const SheetOpener& opener)
{
    CheckedFile file;
    try {
        file.text = character::readDefinitionBytes(path);
    } catch (const Exception& error) {
        file.report.diagnostics.push_back(Diagnostic {
            Severity::error, kCodeFile, platform::errorReportText(error.Message()), SourceRange {} });
        return file;
    }
    file.report = checkDefinition(file.text, path, opener);
    return file;
}

} // namespace check
