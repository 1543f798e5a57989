// The language server through its protocol, on the 1 MiB file of the parse
// benchmark: a change answered by its diagnostics (the whole text sent, and
// one line typed), and a hover and a definition on a list entry. Messages
// are framed and parsed as a client's would be; the debounce is stepped
// over by the clock handed to the server, not waited for.

#include "DefinitionFile.h"

#include "lsp/Server.h"

#include <benchmark/benchmark.h>

namespace {

using lsp::Json;

const std::string kUri = "file:///nonexistent/bench/char.txt";

std::string message(const std::string& method, const Json& params, int id = 0)
{
    Json m { { "jsonrpc", "2.0" }, { "method", method }, { "params", params } };
    if (id > 0)
        m["id"] = id;
    return lsp::framed(m.dump());
}

struct Session {
    std::string written;
    std::size_t published = 0;
    lsp::Server server;
    lsp::Clock::time_point now {};
    std::string text;

    Session()
        : server([this](const std::string& bytes) {
            written = bytes;
            published += bytes.find("publishDiagnostics") != std::string::npos ? 1 : 0;
        })
    {
        const std::vector<std::uint8_t> bytes = benchfile::generatedFile();
        text.assign(bytes.begin(), bytes.end());
        server.receive(message("initialize", Json { { "capabilities", Json::object() } }, 1), now);
        server.receive(message("initialized", Json::object()), now);
        server.receive(
            message("textDocument/didOpen",
                Json { { "textDocument",
                    { { "uri", kUri }, { "languageId", "nimbrel" }, { "version", 1 }, { "text", text } } } }),
            now);
    }
    void changeAndPublish(const std::string& change)
    {
        server.receive(change, now);
        now += lsp::kDiagnosticsDelay;
        server.tick(now);
    }
};

Json at(std::size_t line, std::size_t character)
{
    return Json { { "textDocument", { { "uri", kUri } } },
        { "position", { { "line", line }, { "character", character } } } };
}

// The first base list line of the file.
std::size_t firstListLine(const std::string& text)
{
    std::size_t line = 0;
    for (std::size_t i = 0; i < text.find("#PATERN "); ++i)
        line += text[i] == '\n' ? 1 : 0;
    return line;
}

void wholeTextChange(benchmark::State& state)
{
    Session s;
    std::string other = s.text;
    other[other.find("#ANIME 80") + 7] = '9';
    const std::string changes[2] = {
        message("textDocument/didChange",
            Json { { "textDocument", { { "uri", kUri }, { "version", 2 } } },
                { "contentChanges", { { { "text", other } } } } }),
        message("textDocument/didChange",
            Json { { "textDocument", { { "uri", kUri }, { "version", 3 } } },
                { "contentChanges", { { { "text", s.text } } } } }),
    };
    int i = 0;
    for (auto _ : state)
        s.changeAndPublish(changes[i++ & 1]);
    if (static_cast<benchmark::IterationCount>(s.published) < state.iterations())
        state.SkipWithError("diagnostics were not published");
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(s.text.size()));
}
BENCHMARK(wholeTextChange)->Unit(benchmark::kMillisecond);

void oneLineTyped(benchmark::State& state)
{
    Session s;
    const std::size_t line = firstListLine(s.text);
    int version = 2;
    for (auto _ : state) {
        const Json range { { "start", { { "line", line }, { "character", 11 } } },
            { "end", { { "line", line }, { "character", 13 } } } };
        s.changeAndPublish(message("textDocument/didChange",
            Json { { "textDocument", { { "uri", kUri }, { "version", version } } },
                { "contentChanges", { { { "range", range }, { "text", version % 2 ? "1A" : "1B" } } } } }));
        ++version;
    }
    if (static_cast<benchmark::IterationCount>(s.published) < state.iterations())
        state.SkipWithError("diagnostics were not published");
}
BENCHMARK(oneLineTyped)->Unit(benchmark::kMillisecond);

void request(benchmark::State& state, const char* method)
{
    Session s;
    const std::size_t line = firstListLine(s.text);
    s.server.receive(message(method, at(line, 20), 2), s.now); // analysed once, before timing
    int id = 3;
    for (auto _ : state)
        s.server.receive(message(method, at(line, 20), id++), s.now);
    if (s.written.find("\"result\":{") == std::string::npos)
        state.SkipWithError(("no answer: " + s.written.substr(0, 200)).c_str());
}
BENCHMARK_CAPTURE(request, hover, "textDocument/hover")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(request, definition, "textDocument/definition")->Unit(benchmark::kMicrosecond);

} // namespace
