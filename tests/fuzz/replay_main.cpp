// Runs every file of the corpus folders (or single files) named on the
// command line through a fuzz harness, as an ordinary test: each input runs
// in a child process of its own, so a crash or a hang fails that input and
// the rest still run. Prints "N passed, M failed"; the exit code is 0 only
// when nothing failed.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

namespace fs = std::filesystem;

// An input that runs longer than this hangs.
constexpr unsigned kSecondsPerInput = 60;

std::vector<uint8_t> ReadAll(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

#ifdef _WIN32
// Windows has no fork: every input runs in this process, and a crash or a
// hang fails the whole replay rather than one input.
bool RunOne(const fs::path &path)
{
    std::vector<uint8_t> data = ReadAll(path);
    LLVMFuzzerTestOneInput(data.data(), data.size());
    return true;
}
#else
// True when the input runs to the end.
bool RunOne(const fs::path &path)
{
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return false;
    }
    if (child == 0) {
        alarm(kSecondsPerInput);
        std::vector<uint8_t> data = ReadAll(path);
        LLVMFuzzerTestOneInput(data.data(), data.size());
        std::fflush(nullptr);
        _exit(0);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child) {
        std::perror("waitpid");
        return false;
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return true;
    if (WIFSIGNALED(status)) {
        std::printf("FAILED %s: %s\n", path.c_str(),
                    WTERMSIG(status) == SIGALRM ? "hangs" : strsignal(WTERMSIG(status)));
    } else {
        std::printf("FAILED %s: exit code %d\n", path.c_str(), WEXITSTATUS(status));
    }
    return false;
}
#endif

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s corpus-folder-or-file...\n", argv[0]);
        return 2;
    }
    std::vector<fs::path> inputs;
    for (int a = 1; a < argc; ++a) {
        const fs::path arg(argv[a]);
        std::error_code error;
        if (fs::is_directory(arg, error)) {
            for (const fs::directory_entry &e : fs::recursive_directory_iterator(arg)) {
                if (e.is_regular_file())
                    inputs.push_back(e.path());
            }
        } else if (fs::is_regular_file(arg, error)) {
            inputs.push_back(arg);
        } else {
            std::fprintf(stderr, "no such corpus: %s\n", argv[a]);
            return 2;
        }
    }
    std::sort(inputs.begin(), inputs.end());
    if (inputs.empty()) {
        std::fprintf(stderr, "the corpus is empty\n");
        return 2;
    }

    int passed = 0;
    int failed = 0;
    for (const fs::path &path : inputs)
        (RunOne(path) ? passed : failed) += 1;
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
