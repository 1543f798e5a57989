#include "lsp/Server.h"

#include "lsp/Features.h"
#include "lsp/PlayCommand.h"
#include "lsp/Uri.h"

namespace lsp {

namespace {

bool isRequest(const Json& message)
{
    return message.contains("id") && (message.at("id").is_number_integer() || message.at("id").is_string());
}

} // namespace

Server::Server(Output output, Launcher launcher)
    : m_output(std::move(output))
    , m_launcher(launcher ? std::move(launcher) : Launcher(launchDetached))
{
}

Server::~Server() = default;

void Server::receive(std::string_view bytes, Clock::time_point now)
{
    m_reader.feed(bytes);
    while (!exited()) {
        const std::optional<Frame> frame = m_reader.next();
        if (!frame)
            break;
        handle(*frame, now);
    }
}

void Server::handle(const Frame& frame, Clock::time_point now)
{
    if (!frame.error.empty()) {
        respondError(nullptr, kParseError, "malformed header: " + frame.error);
        return;
    }
    const Json message = Json::parse(frame.body, nullptr, false);
    if (message.is_discarded()) {
        respondError(nullptr, kParseError, "the body is not JSON");
        return;
    }
    if (!message.is_object() || !message.contains("method") || !message.at("method").is_string()) {
        // Answers to requests of ours: the server sends none it waits for.
        if (message.is_object() && (message.contains("result") || message.contains("error")))
            return;
        respondError(message.is_object() && isRequest(message) ? message.at("id") : Json(nullptr),
            kInvalidRequest, "not a request or notification");
        return;
    }
    dispatch(message, now);
}

void Server::dispatch(const Json& message, Clock::time_point now)
{
    const std::string method = message.at("method");
    const Json params = message.contains("params") ? message.at("params") : Json::object();
    if (!isRequest(message)) {
        try {
            notification(method, params, now);
        } catch (const std::exception& error) {
            log(method + ": " + error.what());
        }
        return;
    }
    const Json& id = message.at("id");
    if (!m_initialized && method != "initialize") {
        respondError(id, kServerNotInitialized, "the server is not initialized");
        return;
    }
    if (m_shutdown) {
        respondError(id, kInvalidRequest, "the server is shutting down");
        return;
    }
    try {
        send(Json { { "jsonrpc", "2.0" }, { "id", id }, { "result", request(method, params) } });
    } catch (const RequestError& error) {
        respondError(id, error.code, error.message);
    } catch (const Refusal& refusal) {
        respondError(id, kRequestFailed, refusal.what());
    } catch (const Json::exception& error) {
        respondError(id, kInvalidParams, error.what());
    } catch (const std::exception& error) {
        respondError(id, kInternalError, error.what());
    }
}

Json Server::request(const std::string& method, const Json& params)
{
    if (method == "initialize")
        return initialize(params);
    if (method == "shutdown") {
        m_shutdown = true;
        return nullptr;
    }
    if (method == "workspace/executeCommand") {
        runPlayCommand(params, m_launcher);
        return nullptr;
    }
    using Feature = Json (*)(const Context&, const Json&);
    static const std::map<std::string, Feature> features {
        { "textDocument/hover", [](const Context& c, const Json& p) { return hover(c, p.at("position")); } },
        { "textDocument/definition",
            [](const Context& c, const Json& p) { return definition(c, p.at("position")); } },
        { "textDocument/references",
            [](const Context& c, const Json& p) {
                const bool declaration
                    = p.contains("context") && p.at("context").value("includeDeclaration", true);
                return references(c, p.at("position"), declaration);
            } },
        { "textDocument/prepareRename",
            [](const Context& c, const Json& p) { return prepareRename(c, p.at("position")); } },
        { "textDocument/rename",
            [](const Context& c, const Json& p) {
                return rename(c, p.at("position"), p.at("newName").get<std::string>());
            } },
        { "textDocument/completion",
            [](const Context& c, const Json& p) { return completion(c, p.at("position")); } },
        { "textDocument/documentSymbol", [](const Context& c, const Json&) { return documentSymbols(c); } },
        { "textDocument/foldingRange", [](const Context& c, const Json&) { return foldingRanges(c); } },
        { "textDocument/codeAction", [](const Context& c, const Json& p) { return codeActions(c, p); } },
        { "textDocument/codeLens", [](const Context& c, const Json&) { return codeLenses(c); } },
    };
    const auto it = features.find(method);
    if (it == features.end())
        throw RequestError { kMethodNotFound, "unknown method: " + method };
    OpenDocument& open = document(params);
    const Context context { open, open.analysis(m_sheets), m_client, m_sheets };
    return it->second(context, params);
}

OpenDocument& Server::document(const Json& params)
{
    const std::string uri = params.at("textDocument").at("uri");
    const auto it = m_documents.find(uri);
    if (it == m_documents.end())
        throw RequestError { kInvalidParams, "the document is not open: " + uri };
    return *it->second;
}

void Server::notification(const std::string& method, const Json& params, Clock::time_point now)
{
    if (method == "exit") {
        m_exitCode = m_shutdown ? 0 : 1;
        return;
    }
    if (!m_initialized)
        return;
    if (method == "textDocument/didOpen") {
        const Json& item = params.at("textDocument");
        const std::string uri = item.at("uri");
        auto open
            = std::make_unique<OpenDocument>(uri, pathOfUri(uri), item.at("text"), item.value("version", 0));
        OpenDocument& added = *(m_documents[uri] = std::move(open));
        m_due.erase(uri);
        publish(added);
    } else if (method == "textDocument/didChange") {
        const std::string uri = params.at("textDocument").at("uri");
        const auto it = m_documents.find(uri);
        if (it == m_documents.end()) {
            log("a change of a document that is not open is ignored: " + uri);
            return;
        }
        OpenDocument& open = *it->second;
        for (const Json& change : params.at("contentChanges")) {
            if (change.contains("range"))
                open.document().replace(Range { positionOf(change.at("range").at("start")),
                                            positionOf(change.at("range").at("end")) },
                    change.at("text").get<std::string>(), m_client.encoding);
            else
                open.document().replaceAll(change.at("text"));
        }
        open.changed(params.at("textDocument").value("version", open.version()));
        // The first change after a quiet spell sets the time; later ones
        // wait for it, so that steady typing still sees its diagnostics.
        m_due.emplace(uri, now + kDiagnosticsDelay);
    } else if (method == "textDocument/didSave") {
        const auto it = m_documents.find(params.at("textDocument").at("uri"));
        if (it != m_documents.end()) {
            it->second->saved();
            m_due.emplace(it->first, now);
        }
    } else if (method == "textDocument/didClose") {
        const std::string uri = params.at("textDocument").at("uri");
        m_documents.erase(uri);
        m_due.erase(uri);
        send(Json { { "jsonrpc", "2.0" }, { "method", "textDocument/publishDiagnostics" },
            { "params", { { "uri", uri }, { "diagnostics", Json::array() } } } });
    } else if (method == "workspace/didChangeWatchedFiles") {
        // A sheet changed: every document is checked again; the sheet cache
        // sees the new stamp and reads the file once.
        for (auto& [uri, open] : m_documents) {
            open->changed(open->version());
            m_due.emplace(uri, now);
        }
    }
}

Json Server::initialize(const Json& params)
{
    const Json& capabilities = params.value("capabilities", Json::object());
    const Json encodings
        = capabilities.value("general", Json::object()).value("positionEncodings", Json::array());
    for (const Json& e : encodings) {
        if (e == "utf-8")
            m_client.encoding = PositionEncoding::utf8;
    }
    const Json formats = capabilities.value("textDocument", Json::object())
                             .value("hover", Json::object())
                             .value("contentFormat", Json::array());
    for (const Json& f : formats) {
        if (f == "markdown")
            m_client.markdown = true;
    }
    m_initialized = true;
    return Json {
        { "capabilities",
            {
                { "positionEncoding", m_client.encoding == PositionEncoding::utf8 ? "utf-8" : "utf-16" },
                { "textDocumentSync", { { "openClose", true }, { "change", 2 }, { "save", true } } },
                { "hoverProvider", true },
                { "definitionProvider", true },
                { "referencesProvider", true },
                { "renameProvider", { { "prepareProvider", true } } },
                { "completionProvider", { { "triggerCharacters", { "#", " " } } } },
                { "documentSymbolProvider", true },
                { "foldingRangeProvider", true },
                { "codeActionProvider", { { "codeActionKinds", { "quickfix" } } } },
                { "codeLensProvider", { { "resolveProvider", false } } },
                { "executeCommandProvider", { { "commands", { kPlayCommand } } } },
            } },
        { "serverInfo", { { "name", "nimbrel-lsp" }, { "version", NIMBREL_VERSION } } },
    };
}

void Server::tick(Clock::time_point now)
{
    for (auto it = m_due.begin(); it != m_due.end();) {
        if (it->second > now) {
            ++it;
            continue;
        }
        const auto open = m_documents.find(it->first);
        it = m_due.erase(it);
        if (open != m_documents.end())
            publish(*open->second);
    }
}

std::optional<Clock::time_point> Server::nextDue() const
{
    std::optional<Clock::time_point> due;
    for (const auto& [uri, at] : m_due)
        due = due ? std::min(*due, at) : at;
    return due;
}

void Server::publish(OpenDocument& open)
{
    const Context context { open, open.analysis(m_sheets), m_client, m_sheets };
    send(Json { { "jsonrpc", "2.0" }, { "method", "textDocument/publishDiagnostics" },
        { "params",
            { { "uri", open.uri() }, { "version", open.version() },
                { "diagnostics", diagnostics(context) } } } });
}

void Server::send(const Json& message)
{
    m_output(framed(message.dump(-1, ' ', false, Json::error_handler_t::replace)));
}

void Server::respondError(const Json& id, int code, const std::string& message)
{
    send(Json {
        { "jsonrpc", "2.0" }, { "id", id }, { "error", { { "code", code }, { "message", message } } } });
}

void Server::log(const std::string& message)
{
    send(Json { { "jsonrpc", "2.0" }, { "method", "window/logMessage" },
        { "params", { { "type", 1 }, { "message", "nimbrel-lsp: " + message } } } });
}

} // namespace lsp
