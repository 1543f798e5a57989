// nimbrel-lsp: a language server for character definition files, on stdin
// and stdout.

#include "lsp/Server.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <poll.h>
#include <string>
#include <unistd.h>

namespace {

const char* const kUsage = R"(usage: nimbrel-lsp [--stdio]

A language server (Language Server Protocol, JSON-RPC on stdin and stdout)
for character definition files: the checker's errors and warnings as you
type, patterns and animations on hover, go to definition, references,
renaming of pattern numbers, completion, symbols, quick fixes and a code
lens that plays the line's animation in the viewer.

  --stdio     talk on stdin and stdout (the default)
  --help      this text
  --version   the version

Set NIMBREL_VIEWER to the viewer's program to run another than "nimbrel".
)";

void writeAll(const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return; // the client is gone; its end of input ends the loop
        done += static_cast<std::size_t>(n);
    }
}

int serve()
{
    lsp::Server server(writeAll);
    char buffer[65536];
    while (!server.exited()) {
        int timeout = -1;
        if (const auto due = server.nextDue()) {
            const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*due - lsp::Clock::now());
            timeout = static_cast<int>(std::max<std::int64_t>(0, wait.count()));
        }
        pollfd in { STDIN_FILENO, POLLIN, 0 };
        const int ready = poll(&in, 1, timeout);
        if (ready < 0 && errno != EINTR)
            return 1;
        if (ready > 0) {
            const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            // The client went away without "exit": that is an exit without
            // a shutdown.
            if (n <= 0)
                return 1;
            server.receive(std::string_view(buffer, static_cast<std::size_t>(n)));
        }
        server.tick();
    }
    return server.exitCode();
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (a == "--version") {
            std::cout << "nimbrel-lsp " << NIMBREL_VERSION << "\n";
            return 0;
        }
        if (a != "--stdio") {
            std::cerr << "nimbrel-lsp: unknown option: " << a << "\n" << kUsage;
            return 2;
        }
    }
    // A viewer started by the code lens is not waited for; its end must not
    // stop a write to the client either.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGCHLD, SIG_DFL);
    return serve();
}
