// Writes the benchmarks' large definition file, repeated to at least the
// given number of bytes, for the checker's measurement through the process
// (bench/check-process.sh).
//
//     bench-write-definition BYTES FILE
#include "DefinitionFile.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench-write-definition BYTES FILE\n");
        return 2;
    }
    const std::size_t bytes = std::strtoull(argv[1], nullptr, 10);
    std::string text;
    for (int round = 0; text.size() < bytes; ++round)
        benchfile::appendCharacter(text, round);
    std::FILE* f = std::fopen(argv[2], "wb");
    if (f == nullptr || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0) {
        std::perror(argv[2]);
        return 1;
    }
    return 0;
}
