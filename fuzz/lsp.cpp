// Feeds arbitrary bytes to the language server as its input stream, cut into
// pieces where the input says, after a proper start so that the document
// requests are reached. Whatever comes in, the server must answer in whole
// frames and never crash or hang. The viewer is never started.

#include "lsp/Server.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

const std::string kStart = lsp::framed(R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{}})")
    + lsp::framed(R"({"jsonrpc":"2.0","method":"initialized","params":{}})")
    + lsp::framed(R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":)"
                  R"({"uri":"untitled:f","version":1,"text":"#DATA 16\n#01 0 0 1 1\n#PATERN 01 0101"}}})");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string written;
    lsp::Server server(
        [&](const std::string& bytes) { written += bytes; }, [](const std::vector<std::string>&) {});
    lsp::Clock::time_point now {};
    server.receive(kStart, now);
    // The first byte sets the piece length, so that frames split anywhere.
    const std::size_t piece = size == 0 ? 1 : 1 + data[0] % 64;
    for (std::size_t at = size == 0 ? 0 : 1; at < size && !server.exited(); at += piece) {
        server.receive(
            std::string_view(reinterpret_cast<const char*>(data) + at, std::min(piece, size - at)), now);
        now += std::chrono::milliseconds(40);
        server.tick(now);
    }
    server.tick(now + std::chrono::seconds(1));
    // Everything written is whole frames of JSON.
    lsp::MessageReader reader;
    reader.feed(written);
    while (auto frame = reader.next()) {
        if (!frame->error.empty() || !nlohmann::json::accept(frame->body))
            std::abort();
    }
    return 0;
}
