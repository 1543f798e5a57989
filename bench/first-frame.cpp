// Runs a program and prints the milliseconds from its exec to the first line
// it writes to the file named by NIMBREL_FRAME_LOG, which is set to a pipe:
// the viewer writes one line per shown frame there, bench-bare-window one at
// its first paint. The program is then ended.
//
//     bench-first-frame PROGRAM [ARGUMENTS...]
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double nowMs()
{
    timespec t {};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

constexpr int kLogFd = 3;

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench-first-frame PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    int fds[2];
    if (pipe(fds) != 0)
        return 1;
    const std::string log = "/dev/fd/" + std::to_string(kLogFd);
    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        if (fds[1] != kLogFd) {
            dup2(fds[1], kLogFd);
            close(fds[1]);
        }
        setenv("NIMBREL_FRAME_LOG", log.c_str(), 1);
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    close(fds[1]);
    char c = 0;
    ssize_t n;
    while ((n = read(fds[0], &c, 1)) == 1 && c != '\n') { }
    const double elapsed = nowMs() - start;
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    if (n != 1) {
        std::fprintf(stderr, "bench-first-frame: %s showed no frame\n", argv[1]);
        return 1;
    }
    std::printf("%.1f\n", elapsed);
    return 0;
}
