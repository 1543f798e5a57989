#pragma once

// Runs a command line through the shell, as a script would, and takes what it
// writes on stdout with its exit status.

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace tooltest {

struct ShellRun {
    int status = -1; // -1 when the process did not exit normally
    std::string out;
};

inline ShellRun runShell(const std::string& command)
{
    ShellRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace tooltest
