#pragma once

// The language features, each answering one request from a document's
// analysis. Places come in and go out in the client's position encoding.

#include "lsp/Analysis.h"

#include <nlohmann/json.hpp>

#include <stdexcept>
#include <string>

namespace lsp {

using Json = nlohmann::json;

struct ClientOptions;

// A request the server refuses, with a message for the user.
class Refusal : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Context {
    OpenDocument& document;
    const Analysis& analysis;
    const ClientOptions& client;
    SheetCache& sheets;

    Json range(const SourceRange& at) const;
    // The reader's line and column under an editor position.
    std::pair<std::size_t, std::size_t> column(const Json& position) const;
};

Json toJson(const Position& position);
Json toJson(const Range& range);
Position positionOf(const Json& position);

Json diagnostics(const Context& context);
Json hover(const Context& context, const Json& position);
Json definition(const Context& context, const Json& position);
Json references(const Context& context, const Json& position, bool withDefinition);
Json prepareRename(const Context& context, const Json& position);
Json rename(const Context& context, const Json& position, const std::string& newName);
Json completion(const Context& context, const Json& position);
Json documentSymbols(const Context& context);
Json foldingRanges(const Context& context);
Json codeActions(const Context& context, const Json& params);
Json codeLenses(const Context& context);

} // namespace lsp
