// trasel-bench-records N: writes records 0..N-1 of the benchmark object to
// standard output, one per line.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/record_generator.h"

int main(int argc, char** argv)
{
    char* end = nullptr;
    const unsigned long long count = argc == 2 ? std::strtoull(argv[1], &end, 10) : 0;
    if (argc != 2 || end == argv[1] || *end != '\0') {
        std::fprintf(stderr, "usage: trasel-bench-records N\n");
        return 64;
    }
    for (unsigned long long i = 0; i < count; ++i) {
        const std::string line = trasel::bench::Record(i);
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
