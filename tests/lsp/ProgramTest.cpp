// The built program as an editor starts it: its options, and its exit
// status at the end of a session on real pipes.

#include "lsp/Framing.h"
#include "tools/ShellRun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>

namespace {

using ProgramRun = tooltest::ShellRun;

// Runs the server with `input` on its stdin.
ProgramRun run(const std::string& arguments, const std::string& input)
{
    const std::filesystem::path in
        = std::filesystem::temp_directory_path() / ("nimbrel-lsp-in-" + std::to_string(getpid()));
    std::ofstream(in, std::ios::binary) << input;
    const std::string command
        = std::string(NIMBREL_LSP_BINARY) + " " + arguments + " < '" + in.string() + "' 2>/dev/null";
    const ProgramRun result = tooltest::runShell(command);
    std::filesystem::remove(in);
    return result;
}

const std::string kInitialize = lsp::framed(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})");
const std::string kShutdown = lsp::framed(R"({"jsonrpc":"2.0","id":2,"method":"shutdown"})");
const std::string kExit = lsp::framed(R"({"jsonrpc":"2.0","method":"exit"})");

TEST(LspProgram, OptionsAndExitStatus)
{
    EXPECT_EQ(run("--version", "").out, std::string("nimbrel-lsp ") + NIMBREL_VERSION + "\n");
    const ProgramRun help = run("--help", "");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--stdio"), std::string::npos);
    EXPECT_EQ(run("--tcp", "").status, 2);

    const ProgramRun clean = run("--stdio", kInitialize + kShutdown + kExit);
    EXPECT_EQ(clean.status, 0);
    EXPECT_NE(clean.out.find("\"id\":2"), std::string::npos);
    EXPECT_EQ(run("", kInitialize + kExit).status, 1);
    // The client went away without a word.
    EXPECT_EQ(run("", kInitialize + "Content-Length: 5\r\n\r\n{").status, 1);
}

} // namespace
