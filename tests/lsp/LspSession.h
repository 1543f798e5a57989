#pragma once

// A language server in the test's hands: messages go in framed as a client
// frames them, and everything the server writes is read back as JSON.

#include "lsp/Framing.h"
#include "lsp/Server.h"

#include <deque>
#include <string>
#include <vector>

namespace lsptest {

using lsp::Json;

class LspSession {
public:
    explicit LspSession(lsp::Launcher launcher = [](const std::vector<std::string>&) {})
        : m_server([this](const std::string& bytes) { m_written += bytes; }, std::move(launcher))
    {
    }

    lsp::Server& server() { return m_server; }
    lsp::Clock::time_point now() const { return m_now; }
    void advance(std::chrono::milliseconds by)
    {
        m_now += by;
        m_server.tick(m_now);
    }

    void raw(const std::string& bytes) { m_server.receive(bytes, m_now); }
    void send(const Json& message) { raw(lsp::framed(message.dump())); }
    void notify(const std::string& method, const Json& params = Json::object())
    {
        send(Json { { "jsonrpc", "2.0" }, { "method", method }, { "params", params } });
    }
    // The whole answer to a request (result or error).
    Json call(const std::string& method, const Json& params = Json::object())
    {
        const int id = ++m_id;
        send(Json { { "jsonrpc", "2.0" }, { "id", id }, { "method", method }, { "params", params } });
        for (const Json& m : take()) {
            if (m.contains("id") && m["id"] == id)
                return m;
        }
        return Json();
    }
    Json result(const std::string& method, const Json& params = Json::object())
    {
        return call(method, params).value("result", Json());
    }

    // Everything written since the last take, parsed.
    std::vector<Json> take()
    {
        m_reader.feed(m_written);
        m_written.clear();
        std::vector<Json> out;
        while (auto frame = m_reader.next())
            out.push_back(Json::parse(frame->body));
        m_seen.insert(m_seen.end(), out.begin(), out.end());
        return out;
    }
    // The notifications of a method written since the last take.
    std::vector<Json> notifications(const std::string& method)
    {
        std::vector<Json> out;
        for (const Json& m : take()) {
            if (m.value("method", "") == method)
                out.push_back(m["params"]);
        }
        return out;
    }

    void initialize(const Json& capabilities = Json::object())
    {
        result("initialize", Json { { "capabilities", capabilities } });
        notify("initialized");
    }
    void open(const std::string& uri, const std::string& text, int version = 1)
    {
        notify("textDocument/didOpen",
            Json { { "textDocument",
                { { "uri", uri }, { "languageId", "nimbrel" }, { "version", version },
                    { "text", text } } } });
    }
    static Json at(const std::string& uri, std::size_t line, std::size_t character)
    {
        return Json { { "textDocument", { { "uri", uri } } },
            { "position", { { "line", line }, { "character", character } } } };
    }

private:
    lsp::Server m_server;
    std::string m_written;
    lsp::MessageReader m_reader;
    std::vector<Json> m_seen;
    lsp::Clock::time_point m_now {};
    int m_id = 0;
};

} // namespace lsptest
