// What helps while writing: completion, the outline, quick fixes, the code
// lens and its command, edits that add and remove lines, and a sheet that
// changes on disk.

#include "LspFiles.h"
#include "LspSession.h"
#include "lsp/PlayCommand.h"
#include "lsp/Uri.h"

#include <algorithm>
#include <cstdlib>

namespace {

using lsptest::Json;
using lsptest::LspSession;

const std::string kText = "#CHARNAME ＡＢＣ\n"
                          "#CHARBMP sample.bmp\n"
                          "#DATA 16\n"
                          "#01 0 0 121 271\n"
                          "#1A 0 280 40 40\n"
                          "#PATTERN 01 0101\n"
                          "#PATERN 02 011\n"
                          "#LAYER 06 1A1A 1A1A\n";

class LspEditing : public ::testing::Test {
protected:
    LspEditing()
        : m_session([this](const std::vector<std::string>& arguments) { m_launched.push_back(arguments); })
    {
    }
    void SetUp() override
    {
        m_path = m_folder.write("char.txt", kText);
        m_uri = lsp::uriOfPath(m_path);
        m_session.initialize();
        m_session.open(m_uri, kText);
        m_session.take();
    }
    Json document() const { return Json { { "textDocument", { { "uri", m_uri } } } }; }
    std::vector<std::string> labels(const Json& items) const
    {
        std::vector<std::string> out;
        for (const Json& item : items)
            out.push_back(item["label"]);
        return out;
    }
    void change(const Json& range, const std::string& text, int version)
    {
        m_session.notify("textDocument/didChange",
            Json { { "textDocument", { { "uri", m_uri }, { "version", version } } },
                { "contentChanges", Json::array({ { { "range", range }, { "text", text } } }) } });
    }
    static Json span(std::size_t l1, std::size_t c1, std::size_t l2, std::size_t c2)
    {
        return Json { { "start", { { "line", l1 }, { "character", c1 } } },
            { "end", { { "line", l2 }, { "character", c2 } } } };
    }

    lsptest::ScratchFolder m_folder;
    std::vector<std::vector<std::string>> m_launched;
    LspSession m_session;
    std::string m_path;
    std::string m_uri;
};

TEST_F(LspEditing, CompletionOffersKeywordsPatternsAndSheets)
{
    const Json keywords = m_session.result("textDocument/completion", LspSession::at(m_uri, 5, 0));
    EXPECT_EQ(labels(keywords),
        (std::vector<std::string> { "#CHARNAME", "#ANIME", "#DATA", "#CHARBMP", "#PATERN", "#LAYER" }));
    const Json patterns = m_session.result("textDocument/completion", LspSession::at(m_uri, 7, 14));
    EXPECT_EQ(labels(patterns), (std::vector<std::string> { "1A", "01" }));
    EXPECT_EQ(patterns[0]["detail"], "左 0, 上 280, 幅 40, 高さ 40");
    m_folder.write("other.DIB", "x");
    m_folder.write("notes.txt", "x");
    std::vector<std::string> sheets
        = labels(m_session.result("textDocument/completion", LspSession::at(m_uri, 1, 9)));
    std::sort(sheets.begin(), sheets.end());
    EXPECT_EQ(sheets, (std::vector<std::string> { "other.DIB", "sample.bmp" }));
}

TEST_F(LspEditing, SymbolsAreATreeOfTheCharacter)
{
    const Json symbols = m_session.result("textDocument/documentSymbol", document());
    ASSERT_EQ(symbols.size(), 1u);
    EXPECT_EQ(symbols[0]["name"], "ＡＢＣ");
    const Json& patterns = symbols[0]["children"][0]["children"];
    const Json& animations = symbols[0]["children"][1]["children"];
    ASSERT_EQ(patterns.size(), 2u);
    EXPECT_EQ(patterns[1]["name"], "パターン 1A");
    ASSERT_EQ(animations.size(), 2u);
    EXPECT_EQ(animations[0]["name"], "アニメーション 2");
    EXPECT_EQ(animations[0]["detail"], "通常２, 1 コマ");
    EXPECT_EQ(animations[1]["detail"], "喜び１, 2 コマ");
}

TEST_F(LspEditing, QuickFixesMendKeywordsOddListsAndThreeDigits)
{
    Json params = document();
    params["range"] = span(5, 0, 6, 14);
    params["context"] = { { "diagnostics", Json::array() } };
    Json actions = Json::array();
    for (const Json& action : m_session.result("textDocument/codeAction", params)) {
        if (action["kind"] == "quickfix")
            actions.push_back(action);
    }
    ASSERT_EQ(actions.size(), 2u) << actions.dump();
    EXPECT_EQ(actions[0]["kind"], "quickfix");
    EXPECT_EQ(actions[0]["edit"]["changes"][m_uri][0],
        (Json { { "range", span(5, 0, 5, 8) }, { "newText", "#PATERN" } }));
    EXPECT_EQ(actions[1]["edit"]["changes"][m_uri][0],
        (Json { { "range", span(6, 13, 6, 14) }, { "newText", "" } }));
    EXPECT_EQ(actions[1]["diagnostics"][0]["code"], "list-odd");

    // In decimal numbering "#100" is pattern 10 glued to its left value.
    const std::string decimal = "file:///nowhere/decimal.txt";
    m_session.open(decimal, "#ANIME 80\n#100 0 0 1 1\n");
    params["textDocument"]["uri"] = decimal;
    params["range"] = span(1, 0, 1, 0);
    const Json glued = m_session.result("textDocument/codeAction", params);
    ASSERT_EQ(glued.size(), 1u) << glued.dump();
    EXPECT_EQ(glued[0]["edit"]["changes"][decimal][0],
        (Json { { "range", span(1, 3, 1, 3) }, { "newText", " " } }));
}

TEST_F(LspEditing, TheLensPlaysTheLineInTheViewer)
{
    const Json lenses = m_session.result("textDocument/codeLens", document());
    ASSERT_EQ(lenses.size(), 4u);
    EXPECT_EQ(lenses[0]["command"]["title"], "▶ 再生");
    EXPECT_EQ(lenses[1]["command"]["arguments"], (Json { "--pattern", "1A", m_path }));
    EXPECT_EQ(lenses[3]["command"]["arguments"], (Json { "--play", "6", m_path }));
    EXPECT_EQ(lenses[3]["range"]["start"]["line"], 7);

    setenv("NIMBREL_VIEWER", "/opt/viewer/nimbrel", 1);
    const Json command { { "command", lsp::kPlayCommand },
        { "arguments", lenses[3]["command"]["arguments"] } };
    EXPECT_TRUE(m_session.call("workspace/executeCommand", command).contains("result"));
    unsetenv("NIMBREL_VIEWER");
    EXPECT_TRUE(m_session.call("workspace/executeCommand", command).contains("result"));
    ASSERT_EQ(m_launched.size(), 2u);
    EXPECT_EQ(m_launched[0], (std::vector<std::string> { "/opt/viewer/nimbrel", "--play", "6", m_path }));
    EXPECT_EQ(m_launched[1][0], "nimbrel");

    for (const Json& bad :
        { Json { "--play", "6; rm", m_path }, Json { "--exec", "6", m_path }, Json { "--play", "6" } }) {
        const Json answer = m_session.call(
            "workspace/executeCommand", Json { { "command", lsp::kPlayCommand }, { "arguments", bad } });
        EXPECT_EQ(answer["error"]["code"], lsp::kRequestFailed) << bad;
    }
    EXPECT_EQ(m_launched.size(), 2u);
}

TEST_F(LspEditing, LaunchingAMissingViewerIsReported)
{
    EXPECT_THROW(lsp::launchDetached({ "/nonexistent/nimbrel", "--play", "1", m_path }), std::runtime_error);
    EXPECT_NO_THROW(lsp::launchDetached({ "true" }));
}

TEST_F(LspEditing, IncrementalEditsAddAndRemoveLines)
{
    // A new pattern line above the lists moves them down one line.
    change(span(4, 15, 4, 15), "\n#1B 1 2 3 4", 2);
    const Json moved = m_session.result("textDocument/definition", LspSession::at(m_uri, 8, 11));
    EXPECT_EQ(moved["range"], span(4, 1, 4, 3));
    Json params = LspSession::at(m_uri, 5, 2);
    params["newName"] = "1A";
    EXPECT_EQ(m_session.call("textDocument/rename", params)["error"]["code"], lsp::kRequestFailed);
    // Removing the 1A line leaves its uses undefined.
    change(span(4, 0, 5, 0), "", 3);
    EXPECT_TRUE(m_session.result("textDocument/definition", LspSession::at(m_uri, 7, 11)).is_null());
    m_session.advance(lsp::kDiagnosticsDelay);
    const Json diagnostics = m_session.notifications("textDocument/publishDiagnostics").at(0)["diagnostics"];
    EXPECT_TRUE(std::any_of(diagnostics.begin(), diagnostics.end(), [](const Json& d) {
        return d["code"] == "pattern-undefined" && d["range"]["start"]["line"] == 7;
    })) << diagnostics.dump();
}

TEST_F(LspEditing, ASheetIsReadAgainWhenItChanges)
{
    const std::string text = "#CHARBMP later.bmp\n#01 0 0 121 271\n#PATERN 01 01\n";
    const auto sheetErrors = [&] {
        const Json diagnostics
            = m_session.notifications("textDocument/publishDiagnostics").at(0)["diagnostics"];
        return std::count_if(
            diagnostics.begin(), diagnostics.end(), [](const Json& d) { return d["code"] == "sheet"; });
    };
    m_session.open(m_uri, text, 5);
    EXPECT_EQ(sheetErrors(), 1);
    std::filesystem::copy_file(m_folder.dir() / "sample.bmp", m_folder.dir() / "later.bmp");
    m_session.notify("workspace/didChangeWatchedFiles",
        Json { { "changes",
            Json::array({ { { "uri", lsp::uriOfPath((m_folder.dir() / "later.bmp").string()) },
                { "type", 1 } } }) } });
    m_session.advance(std::chrono::milliseconds(0));
    EXPECT_EQ(sheetErrors(), 0);
}

} // namespace
