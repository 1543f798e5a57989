// What needs the sheet's pixels: the picture of a pattern in the hover, and
// パターン行を追加, which adds the lines of the sprites no line cuts yet.

#include "LspFiles.h"
#include "LspSession.h"
#include "lsp/Uri.h"

#include <cctype>
#include <sstream>

namespace {

using lsptest::Json;
using lsptest::LspSession;

Json codeActions(LspSession& s, const std::string& uri)
{
    return s.result("textDocument/codeAction",
        Json { { "textDocument", { { "uri", uri } } },
            { "range",
                { { "start", { { "line", 0 }, { "character", 0 } } },
                    { "end", { { "line", 0 }, { "character", 0 } } } } },
            { "context", { { "diagnostics", Json::array() } } } });
}

TEST(LspSheet, HoverShowsThePatternToMarkdownClientsOnly)
{
    lsptest::ScratchFolder folder;
    const std::string text
        = "#CHARBMP sample.bmp\n#DATA 16\n#01 0 0 121 271\n#1A 0 400 121 200\n#1B 0 0 9999 9999\n";
    const std::string uri = lsp::uriOfPath(folder.write("char.txt", text));
    for (const bool markdown : { true, false }) {
        LspSession s;
        s.initialize(markdown
                ? Json { { "textDocument", { { "hover", { { "contentFormat", { "markdown" } } } } } } }
                : Json::object());
        s.open(uri, text);
        const Json hover = s.result("textDocument/hover", LspSession::at(uri, 3, 1));
        const std::string value = hover["contents"]["value"];
        EXPECT_EQ(hover["contents"]["kind"], markdown ? "markdown" : "plaintext");
        EXPECT_EQ(value.find("![パターン 1A](data:image/png;base64,iVBOR") != std::string::npos, markdown)
            << value;
        // A rectangle far larger than the sheet gets no picture.
        const std::string large
            = s.result("textDocument/hover", LspSession::at(uri, 4, 1))["contents"]["value"];
        EXPECT_EQ(large.find("data:"), std::string::npos);
    }
}

TEST(LspSheet, AddPatternLinesCutsWhatTheSheetStillLacks)
{
    lsptest::ScratchFolder folder;
    const std::string text = "#CHARBMP sample.bmp\r\n#DATA 16\r\n#01 0 0 121 271\r\n#PATERN 01 0101\r\n";
    const std::string uri = lsp::uriOfPath(folder.write("char.txt", text));
    LspSession s;
    s.initialize();
    s.open(uri, text);
    const Json actions = codeActions(s, uri);
    ASSERT_EQ(actions.size(), 1u) << actions.dump();
    EXPECT_EQ(actions[0]["title"], "パターン行を追加");
    const Json edit = actions[0]["edit"]["changes"][uri][0];
    EXPECT_EQ(edit["range"]["start"], (Json { { "line", 2 }, { "character", 15 } }));
    const std::string added = edit["newText"];
    // Lines in the file's own breaks and numbering, after the last one:
    // "#NN left top width height", the number in two hexadecimal digits.
    std::size_t count = 0;
    for (std::size_t at = 0; (at = added.find("\r\n", at)) != std::string::npos; at += 2) {
        std::istringstream line(added.substr(at + 2, added.find("\r\n", at + 2) - at - 2));
        std::string number;
        long left = 0, top = 0, width = 0, height = 0;
        line >> number >> left >> top >> width >> height;
        EXPECT_TRUE(line && line.peek() == EOF && number.size() == 3 && number[0] == '#'
            && isxdigit(number[1]) && isxdigit(number[2]) && width > 0 && height > 0)
            << line.str();
        ++count;
    }
    EXPECT_GT(count, 10u);
    EXPECT_EQ(added.substr(0, 6), "\r\n#02 ");

    s.notify("textDocument/didChange",
        Json { { "textDocument", { { "uri", uri }, { "version", 2 } } },
            { "contentChanges", Json::array({ { { "range", edit["range"] }, { "text", added } } }) } });
    EXPECT_TRUE(codeActions(s, uri).empty()); // every sprite is cut now
}

} // namespace
