// The protocol as a client speaks it: framing in any pieces, the life cycle,
// and every kind of bad message answered without ending the session.

#include "LspSession.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using lsptest::Json;
using lsptest::LspSession;

int errorCode(const Json& answer)
{
    return answer.contains("error") ? answer["error"]["code"].get<int>() : 0;
}

TEST(LspProtocol, LifeCycleEndsWithTheExitStatusOfShutdown)
{
    LspSession s;
    EXPECT_EQ(errorCode(s.call("textDocument/hover", LspSession::at("file:///a", 0, 0))),
        lsp::kServerNotInitialized);
    const Json init = s.result("initialize", Json { { "capabilities", Json::object() } });
    EXPECT_EQ(init["capabilities"]["positionEncoding"], "utf-16");
    EXPECT_EQ(init["serverInfo"]["name"], "nimbrel-lsp");
    s.notify("initialized");
    EXPECT_TRUE(s.call("shutdown").contains("result"));
    EXPECT_EQ(
        errorCode(s.call("textDocument/hover", LspSession::at("file:///a", 0, 0))), lsp::kInvalidRequest);
    EXPECT_FALSE(s.server().exited());
    s.notify("exit");
    EXPECT_TRUE(s.server().exited());
    EXPECT_EQ(s.server().exitCode(), 0);

    LspSession abrupt;
    abrupt.initialize();
    abrupt.notify("exit");
    EXPECT_TRUE(abrupt.server().exited());
    EXPECT_EQ(abrupt.server().exitCode(), 1);
}

TEST(LspProtocol, BadMessagesGetAnErrorAndTheSessionGoesOn)
{
    LspSession s;
    s.initialize();
    struct Case {
        const char* what;
        std::string bytes;
        int code;
    };
    const Case cases[] = {
        { "no length", "Content-Type: x\r\n\r\n", lsp::kParseError },
        { "length not a number", "Content-Length: 12x\r\n\r\n", lsp::kParseError },
        { "header line without colon", "Content-Length 5\r\n\r\n", lsp::kParseError },
        { "absurd length", "Content-Length: 99999999999\r\n\r\n", lsp::kParseError },
        { "body not JSON", lsp::framed("{\"jsonrpc\": "), lsp::kParseError },
        { "not an object", lsp::framed("[1,2]"), lsp::kInvalidRequest },
        { "method not a string", lsp::framed(R"({"jsonrpc":"2.0","id":4,"method":7})"),
            lsp::kInvalidRequest },
        { "unknown method", lsp::framed(R"({"jsonrpc":"2.0","id":5,"method":"nimbrel/dance"})"),
            lsp::kMethodNotFound },
        { "bad params",
            lsp::framed(R"({"jsonrpc":"2.0","id":6,"method":"textDocument/hover","params":{"x":1}})"),
            lsp::kInvalidParams },
        { "document not open",
            lsp::framed(
                R"({"jsonrpc":"2.0","id":7,"method":"textDocument/hover","params":{"textDocument":{"uri":"file:///n"},"position":{"line":0,"character":0}}})"),
            lsp::kInvalidParams },
    };
    for (const Case& c : cases) {
        s.raw(c.bytes);
        const std::vector<Json> answers = s.take();
        ASSERT_EQ(answers.size(), 1u) << c.what;
        EXPECT_EQ(errorCode(answers[0]), c.code) << c.what;
    }
    // An unknown notification is no error: there is nobody to answer.
    s.notify("$/setTrace", Json { { "value", "off" } });
    EXPECT_TRUE(s.take().empty());
    EXPECT_FALSE(s.server().exited());
    EXPECT_TRUE(s.call("shutdown").contains("result"));
}

TEST(LspProtocol, MessagesArriveInAnyPieces)
{
    LspSession s;
    const std::string init = lsp::framed(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})");
    const std::string down = lsp::framed(R"({"jsonrpc":"2.0","id":2,"method":"shutdown"})");
    const std::string both = init + down;
    for (const char c : both.substr(0, both.size() - 1))
        s.raw(std::string(1, c));
    ASSERT_EQ(s.take().size(), 1u);
    s.raw(both.substr(both.size() - 1));
    const std::vector<Json> answers = s.take();
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0]["id"], 2);

    // Header names are case-blind and other fields are allowed.
    s.raw("content-length: 2\r\nContent-Type: application/vscode-jsonrpc; charset=utf-8\r\n\r\n{}");
    EXPECT_EQ(errorCode(s.take().at(0)), lsp::kInvalidRequest);
}

TEST(LspProtocol, AChangeBeforeOpenIsLoggedAndIgnored)
{
    LspSession s;
    s.initialize();
    s.notify("textDocument/didChange",
        Json { { "textDocument", { { "uri", "file:///x.txt" }, { "version", 2 } } },
            { "contentChanges", Json::array({ { { "text", "#ANIME 80" } } }) } });
    const std::vector<Json> logs = s.notifications("window/logMessage");
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_NE(logs[0]["message"].get<std::string>().find("file:///x.txt"), std::string::npos);
    s.open("file:///x.txt", "#ANIME x\n");
    const std::vector<Json> published = s.notifications("textDocument/publishDiagnostics");
    ASSERT_EQ(published.size(), 1u);
    const Json& found = published[0]["diagnostics"];
    const auto number
        = std::find_if(found.begin(), found.end(), [](const Json& d) { return d["code"] == "number"; });
    ASSERT_NE(number, found.end());
    EXPECT_EQ((*number)["range"]["start"]["character"], 7);
}

TEST(LspProtocol, DiagnosticsWaitForTypingToPause)
{
    LspSession s;
    s.initialize();
    s.open("file:///w.txt", "#ANIME 80\n");
    EXPECT_EQ(s.notifications("textDocument/publishDiagnostics").size(), 1u);
    const auto change = [&](int version, const std::string& text) {
        s.notify("textDocument/didChange",
            Json { { "textDocument", { { "uri", "file:///w.txt" }, { "version", version } } },
                { "contentChanges", Json::array({ { { "text", text } } }) } });
    };
    change(2, "#ANIME 8");
    s.advance(std::chrono::milliseconds(100));
    change(3, "#ANIME x");
    EXPECT_TRUE(s.notifications("textDocument/publishDiagnostics").empty());
    // Steady typing does not put the answer off: 150 ms after the first
    // change, the text as it stands then is checked.
    s.advance(std::chrono::milliseconds(50));
    const std::vector<Json> published = s.notifications("textDocument/publishDiagnostics");
    ASSERT_EQ(published.size(), 1u);
    EXPECT_EQ(published[0]["version"], 3);
    EXPECT_FALSE(s.server().nextDue().has_value());

    s.notify("textDocument/didClose", Json { { "textDocument", { { "uri", "file:///w.txt" } } } });
    const std::vector<Json> cleared = s.notifications("textDocument/publishDiagnostics");
    ASSERT_EQ(cleared.size(), 1u);
    EXPECT_TRUE(cleared[0]["diagnostics"].empty());
}

} // namespace
