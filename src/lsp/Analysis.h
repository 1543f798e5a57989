#pragma once

// One document as the server knows it: the editor's text, the bytes the file
// will hold, the checker's report on those bytes and the index of its lines.
// It is analysed again after every change; the features only read it.

#include "check/Diagnostic.h"
#include "lsp/DiskText.h"
#include "lsp/Document.h"
#include "lsp/Index.h"
#include "lsp/SheetCache.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lsp {

// The code of a character that the file's character set cannot hold.
inline constexpr std::string_view kCodeEncoding = "encoding";
inline constexpr const char* kSUnencodable = "'%s' は Shift-JIS で書けない文字のため、'?' として保存されます";

struct Analysis {
    DiskText disk;
    check::Report report; // with the characters the file cannot hold
    Index index;
    // The pattern lines the sheet still lacks, found when first asked for.
    mutable std::optional<std::vector<std::string>> missingLines;
};

class OpenDocument {
public:
    OpenDocument(std::string uri, std::string path, std::string text, int version);

    const std::string& uri() const { return m_uri; }
    // The file's path; empty for a document that has no file.
    const std::string& path() const { return m_path; }
    int version() const { return m_version; }
    Charset charset() const { return m_charset; }
    Document& document() { return m_document; }
    const Document& document() const { return m_document; }

    void changed(int version);
    // The file was saved: its character set may have changed.
    void saved();

    // Analyses the text when it changed since the last time.
    const Analysis& analysis(SheetCache& sheets);

    // A place in the reader's columns as a place in the editor's text.
    TextPlace start(const SourceRange& at) const;
    TextPlace end(const SourceRange& at) const;
    Range range(const SourceRange& at, PositionEncoding encoding) const;
    // The reader's line and column of an editor's position.
    std::pair<std::size_t, std::size_t> column(Position position, PositionEncoding encoding) const;

private:
    std::string m_uri;
    std::string m_path;
    int m_version;
    Charset m_charset;
    Document m_document;
    std::unique_ptr<Analysis> m_analysis;
};

std::string sheetPathOf(const OpenDocument& document, const Index& index);

} // namespace lsp
