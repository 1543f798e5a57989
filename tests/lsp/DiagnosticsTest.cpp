// The diagnostics are the checker's: the same codes, messages and places as
// nimbrel-check's JSON lines on the same bytes, with its byte columns turned
// into the client's units of a Shift-JIS or a UTF-8 file.

#include "LspFiles.h"
#include "LspSession.h"
#include "lsp/Uri.h"
#include "tools/ShellRun.h"

#include <cstdio>
#include <sstream>

namespace {

using lsptest::Json;
using lsptest::LspSession;

std::vector<Json> checkerLines(const std::string& path)
{
    const std::string command = std::string(NIMBREL_CHECK_BINARY) + " --format json '" + path + "'";
    const std::string out = tooltest::runShell(command).out;
    std::vector<Json> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(Json::parse(line));
    return lines;
}

std::vector<std::string> fileLines(const std::string& bytes)
{
    std::vector<std::string> lines(1);
    for (const char c : bytes) {
        if (c == '\n')
            lines.emplace_back();
        else
            lines.back() += c;
    }
    return lines;
}

// Units of the first `bytes` bytes of a line of the file, counted here from
// the decoded text rather than through the server's own map.
std::size_t unitsBefore(const std::string& line, std::size_t bytes, bool shiftJis, bool utf16)
{
    const std::size_t inside = std::min(bytes, line.size());
    const std::string text
        = shiftJis ? character::cp932ToUtf8(line.substr(0, inside)) : line.substr(0, inside);
    std::size_t units = bytes - inside;
    for (const char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (!utf16)
            ++units;
        else if ((u & 0xC0) != 0x80)
            units += u >= 0xF0 ? 2 : 1;
    }
    return units;
}

void expectCheckerDiagnostics(const std::string& bytes, bool shiftJis, bool utf16)
{
    lsptest::ScratchFolder folder;
    const std::string path = folder.write("char.txt", bytes);
    const std::vector<Json> expected = checkerLines(path);
    ASSERT_GE(expected.size(), 8u);

    LspSession s;
    s.initialize(
        utf16 ? Json::object() : Json { { "general", { { "positionEncodings", { "utf-8", "utf-16" } } } } });
    const std::string text = shiftJis ? character::cp932ToUtf8(bytes) : bytes;
    s.open(lsp::uriOfPath(path), text);
    const std::vector<Json> published = s.notifications("textDocument/publishDiagnostics");
    ASSERT_EQ(published.size(), 1u);
    const Json& got = published[0]["diagnostics"];
    ASSERT_EQ(got.size(), expected.size());
    const std::vector<std::string> lines = fileLines(bytes);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Json& e = expected[i];
        const std::size_t line = e["line"].get<std::size_t>() - 1;
        SCOPED_TRACE(e.dump());
        EXPECT_EQ(got[i]["code"], e["code"]);
        EXPECT_EQ(got[i]["message"], e["message"]);
        EXPECT_EQ(got[i]["severity"], e["severity"] == "error" ? 1 : 2);
        const Json& range = got[i]["range"];
        EXPECT_EQ(range["start"]["line"], line);
        EXPECT_EQ(range["end"]["line"], line);
        const std::string& source = lines[line];
        EXPECT_EQ(range["start"]["character"],
            unitsBefore(source, e["column"].get<std::size_t>() - 1, shiftJis, utf16));
        EXPECT_EQ(range["end"]["character"],
            unitsBefore(source, e["endColumn"].get<std::size_t>() - 1, shiftJis, utf16));
    }
}

TEST(LspDiagnostics, EqualTheCheckersInBothEncodingsAndCharsets)
{
    const std::string sjis = character::utf8ToCp932(lsptest::kFaultyText);
    for (const bool utf16 : { true, false }) {
        SCOPED_TRACE(utf16 ? "UTF-16" : "UTF-8");
        expectCheckerDiagnostics(sjis, true, utf16);
        expectCheckerDiagnostics(lsptest::kFaultyText, false, utf16);
    }
}

TEST(LspDiagnostics, ACharacterShiftJisCannotHoldIsAnErrorAtItsPlace)
{
    LspSession s;
    s.initialize();
    s.open("file:///nowhere/new.txt", "#CHARNAME a\xF0\x9F\x98\x80\xE2\x91\xA0\n");
    const Json diagnostics = s.notifications("textDocument/publishDiagnostics").at(0)["diagnostics"];
    std::vector<Json> encoding;
    for (const Json& d : diagnostics) {
        if (d["code"] == "encoding")
            encoding.push_back(d);
    }
    ASSERT_EQ(encoding.size(), 1u); // ① is one of CP932's own
    EXPECT_EQ(encoding[0]["range"]["start"], (Json { { "line", 0 }, { "character", 11 } }));
    EXPECT_EQ(encoding[0]["range"]["end"], (Json { { "line", 0 }, { "character", 13 } }));
    EXPECT_EQ(encoding[0]["severity"], 1);
}

} // namespace
