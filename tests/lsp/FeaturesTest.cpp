// Hover, definition, references and rename on small files in both
// numberings, in both position encodings, after full-width text.

#include "LspFiles.h"
#include "LspSession.h"
#include "lsp/Uri.h"

namespace {

using lsptest::Json;
using lsptest::LspSession;

// Pattern 1A is defined on line 5 (counted from 0) and used four times.
const std::string kHexText = "メモ：全角の文字\n"
                             "#CHARNAME ＡＢＣ\n"
                             "#CHARBMP sample.bmp\n"
                             "#DATA 16\n"
                             "#01 0 0 121 271\n"
                             "#1A 0 280 40 40\n"
                             "#1B 60 100 40 40\n"
                             "#PATERN 01 011A1A\n"
                             "#LAYER 06 1A1A 1B1B\n";

// Decimal numbering: #10 is 0A in the lists, "#7 " writes 7 in one digit.
const std::string kDecimalText = "#CHARNAME テスト\n"
                                 "#CHARBMP sample.bmp\n"
                                 "#01 0 0 121 271\n"
                                 "#10 0 280 40 40\n"
                                 "#7 0 0 10 10\n"
                                 "#PATERN 01 0A0A07\n";

class LspFeatures : public ::testing::TestWithParam<bool> {
protected:
    // Opens `text`, saved as UTF-8 so that both encodings count the same
    // characters differently.
    void open(const std::string& text)
    {
        m_path = m_folder.write("char.txt", text);
        m_uri = lsp::uriOfPath(m_path);
        const bool utf8 = GetParam();
        m_session.initialize(
            Json { { "general", { { "positionEncodings", utf8 ? Json { "utf-8" } : Json { "utf-16" } } } },
                { "textDocument", { { "hover", { { "contentFormat", { "markdown", "plaintext" } } } } } } });
        m_session.open(m_uri, text);
        m_session.take();
    }
    // The character of a byte of a line in the client's units.
    std::size_t unit(const std::string& text, std::size_t line, std::size_t byte) const
    {
        std::size_t start = 0;
        for (std::size_t l = 0; l < line; ++l)
            start = text.find('\n', start) + 1;
        if (GetParam())
            return byte;
        std::size_t units = 0;
        for (std::size_t i = start; i < start + byte; ++i)
            units += (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 ? 1 : 0;
        return units;
    }
    Json at(std::size_t line, std::size_t character) const { return LspSession::at(m_uri, line, character); }
    Json range(std::size_t line, std::size_t from, std::size_t to) const
    {
        return Json { { "start", { { "line", line }, { "character", from } } },
            { "end", { { "line", line }, { "character", to } } } };
    }
    std::string hoverText(std::size_t line, std::size_t character)
    {
        const Json hover = m_session.result("textDocument/hover", at(line, character));
        return hover.is_null() ? std::string() : hover["contents"]["value"].get<std::string>();
    }
    Json referencesAt(std::size_t line, std::size_t character, bool withDeclaration)
    {
        Json params = at(line, character);
        params["context"] = { { "includeDeclaration", withDeclaration } };
        return m_session.result("textDocument/references", params);
    }
    Json rename(std::size_t line, std::size_t character, const std::string& name)
    {
        Json params = at(line, character);
        params["newName"] = name;
        return m_session.call("textDocument/rename", params);
    }

    lsptest::ScratchFolder m_folder;
    LspSession m_session;
    std::string m_path;
    std::string m_uri;
};

TEST_P(LspFeatures, HoverTellsPatternsAnimationsAndTheSheet)
{
    open(kHexText);
    const std::string pattern = hoverText(7, 13);
    EXPECT_NE(pattern.find("パターン 1A** (十進 26)"), std::string::npos) << pattern;
    EXPECT_NE(pattern.find("左 0, 上 280, 幅 40, 高さ 40"), std::string::npos);
    EXPECT_NE(pattern.find("6 行目: `#1A 0 280 40 40`"), std::string::npos);
    EXPECT_NE(pattern.find("1 (基本) 6 (レイヤー)"), std::string::npos);
    EXPECT_EQ(hoverText(5, 2), pattern); // the pattern line says the same

    const std::string animation = hoverText(8, 8);
    EXPECT_NE(animation.find("Button6 「喜び１」"), std::string::npos) << animation;
    EXPECT_NE(animation.find("1 回"), std::string::npos);
    EXPECT_NE(animation.find("2 コマ, 間隔 100 ミリ秒"), std::string::npos);
    EXPECT_NE(hoverText(7, 3).find("Button1 「通常１」"), std::string::npos);

    const std::string sheet = hoverText(2, 11);
    EXPECT_NE(sheet.find("ビット"), std::string::npos) << sheet;
    EXPECT_EQ(hoverText(1, 12), ""); // the name has nothing to tell
}

TEST_P(LspFeatures, DefinitionAndReferencesOfAPattern)
{
    open(kHexText);
    const Json definition = m_session.result("textDocument/definition", at(8, 11));
    EXPECT_EQ(definition["uri"], m_uri);
    EXPECT_EQ(definition["range"], range(5, 1, 3));
    const Json sheet = m_session.result("textDocument/definition", at(2, 12));
    EXPECT_EQ(sheet["uri"], lsp::uriOfPath((m_folder.dir() / "sample.bmp").string()));

    const Json references = referencesAt(7, 14, true);
    ASSERT_EQ(references.size(), 5u);
    EXPECT_EQ(references[0]["range"], range(5, 1, 3));
    EXPECT_EQ(references[1]["range"], range(7, 13, 15));
    EXPECT_EQ(references[4]["range"], range(8, 12, 14));
    EXPECT_EQ(referencesAt(7, 14, false).size(), 4u);

    // A rename in hexadecimal numbering writes every place in two digits.
    const Json edits = rename(7, 14, "2C")["result"]["changes"][m_uri];
    ASSERT_EQ(edits.size(), 5u);
    EXPECT_EQ(edits[0]["range"], range(5, 1, 3));
    for (const Json& edit : edits)
        EXPECT_EQ(edit["newText"], "2C");
}

TEST_P(LspFeatures, ListsOfADecimalFileReachTheirPatternLines)
{
    open(kDecimalText);
    // 0A in a list is pattern 10, whose line writes it in decimal.
    EXPECT_NE(hoverText(5, 12).find("4 行目: `#10 0 280 40 40`"), std::string::npos) << hoverText(5, 12);
    EXPECT_EQ(m_session.result("textDocument/definition", at(5, 12))["range"], range(3, 1, 3));
    const Json references = referencesAt(5, 12, true);
    ASSERT_EQ(references.size(), 3u);
    EXPECT_EQ(references[0]["range"], range(3, 1, 3));
    EXPECT_EQ(references[1]["range"], range(5, 11, 13));
    EXPECT_EQ(references[2]["range"], range(5, 13, 15));
}

TEST_P(LspFeatures, RenameWritesEachPlaceInItsOwnForm)
{
    open(kDecimalText);
    // From a list: the new number is hexadecimal, the pattern line decimal.
    const Json prepared = m_session.result("textDocument/prepareRename", at(5, 12));
    EXPECT_EQ(prepared["range"], range(5, 11, 13));
    EXPECT_EQ(prepared["placeholder"], "0A");
    const Json edits = rename(5, 12, "0B")["result"]["changes"][m_uri];
    ASSERT_EQ(edits.size(), 3u);
    EXPECT_EQ(edits[0], (Json { { "range", range(3, 1, 3) }, { "newText", "11" } }));
    EXPECT_EQ(edits[1], (Json { { "range", range(5, 11, 13) }, { "newText", "0B" } }));

    // From a decimal pattern line written in one digit: the new number is
    // decimal, and the line stays a pattern line of the same values.
    EXPECT_EQ(m_session.result("textDocument/prepareRename", at(4, 1))["placeholder"], "07");
    const Json seven = rename(4, 1, "12")["result"]["changes"][m_uri];
    ASSERT_EQ(seven.size(), 2u);
    EXPECT_EQ(seven[0], (Json { { "range", range(4, 1, 3) }, { "newText", "12" } }));
    EXPECT_EQ(seven[1], (Json { { "range", range(5, 15, 17) }, { "newText", "0C" } }));
    Json change { { "textDocument", { { "uri", m_uri }, { "version", 2 } } },
        { "contentChanges", Json::array() } };
    for (auto it = seven.rbegin(); it != seven.rend(); ++it)
        change["contentChanges"].push_back(*it);
    for (Json& c : change["contentChanges"]) {
        c["text"] = c["newText"];
        c.erase("newText");
    }
    m_session.notify("textDocument/didChange", change);
    EXPECT_NE(hoverText(5, 16).find("左 0, 上 0, 幅 10, 高さ 10"), std::string::npos) << hoverText(5, 16);

    EXPECT_EQ(m_session.result("textDocument/prepareRename", at(0, 3)), Json());
}

TEST_P(LspFeatures, RenameIsRefusedForATakenOrUnwritableNumber)
{
    open(kDecimalText);
    struct Case {
        std::size_t line, character;
        const char* name;
        const char* message;
    };
    for (const Case c : { Case { 5, 12, "01", "パターン 01 はすでに定義されています" },
             Case { 5, 12, "64", "十進の番号付けでは書けません" },
             Case { 5, 12, "1G", "'1G' はパターン番号ではありません" },
             Case { 3, 2, "256", "1 から 255 の外です" },
             Case { 0, 2, "05", "ここにはパターン番号がありません" } }) {
        const Json answer = rename(c.line, c.character, c.name);
        ASSERT_TRUE(answer.contains("error")) << c.name;
        EXPECT_EQ(answer["error"]["code"], lsp::kRequestFailed);
        EXPECT_NE(answer["error"]["message"].get<std::string>().find(c.message), std::string::npos)
            << answer["error"]["message"];
    }
}

TEST_P(LspFeatures, PositionsAfterFullWidthTextCountTheClientsUnits)
{
    const std::string text
        = "#CHARNAME ＡＢ 残り\n#PATERN 01 0101\n#01 0 0 121 271 ＃背景\n#CHARBMP sample.bmp\n";
    open(text);
    m_session.notify("textDocument/didSave", Json { { "textDocument", { { "uri", m_uri } } } });
    m_session.advance(std::chrono::milliseconds(0));
    const Json diagnostics = m_session.notifications("textDocument/publishDiagnostics").at(0)["diagnostics"];
    ASSERT_EQ(diagnostics.size(), 1u) << diagnostics.dump();
    EXPECT_EQ(diagnostics[0]["code"], "name-cut");
    EXPECT_EQ(diagnostics[0]["range"], range(0, unit(text, 0, 17), unit(text, 0, 23)));
    EXPECT_NE(hoverText(1, 13).find("パターン 01"), std::string::npos);
    EXPECT_EQ(m_session.result("textDocument/definition", at(1, 12))["range"], range(2, 1, 3));
}

INSTANTIATE_TEST_SUITE_P(Encodings, LspFeatures, ::testing::Values(false, true),
    [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Utf8" : "Utf16"; });

} // namespace
