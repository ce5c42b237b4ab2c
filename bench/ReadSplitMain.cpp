// tallyscan6-readsplit FILE...: reads each file whole and splits it into lines, as a plain C
// program would, and prints the number of lines and bytes. It is the process the CLI scan is timed
// against in bench/run-scan-bench.sh: both start as processes, so the ratio holds what starting a
// program and touching fresh memory cost, as a user running the scan from a script sees it.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

int main(int argc, char** argv) {
    long long lines = 0, bytes = 0;
    std::vector<const char*> starts;  // the lines of the file being read
    for (int a = 1; a < argc; ++a) {
        std::FILE* file = std::fopen(argv[a], "rb");
        if (!file) continue;
        std::fseek(file, 0, SEEK_END);
        const long size = std::ftell(file);
        std::fseek(file, 0, SEEK_SET);
        if (size < 0) {
            std::fclose(file);
            continue;
        }
        char* text = static_cast<char*>(std::malloc(static_cast<std::size_t>(size) + 1));
        const std::size_t got = text ? std::fread(text, 1, static_cast<std::size_t>(size), file) : 0;
        std::fclose(file);
        starts.clear();
        for (const char *at = text, *end = text + got; at < end;) {
            starts.push_back(at);
            const void* newline = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
            at = newline ? static_cast<const char*>(newline) + 1 : end;
        }
        lines += static_cast<long long>(starts.size());
        bytes += static_cast<long long>(got);
        std::free(text);
    }
    std::printf("lines=%lld bytes=%lld\n", lines, bytes);
    return 0;
}
