// `games` and `replay` write the same bytes, messages and exit code with 1, 2
// and 3 jobs, the file cut into parts of a few hundred bytes so that the
// boundaries fall inside comments, variations, tags and odd line ends.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzTarget.h"
#include "cli/Commands.h"
#include "cli/GamePass.h"

namespace vorlix::cli {
int Usage() { return 2; }
}  // namespace vorlix::cli

namespace {

// Standard output, standard error and exit code of one command, in one string.
std::string Captured(int (*command)(const vorlix::cli::Args&), const vorlix::cli::Args& args) {
    static const int capture = ::memfd_create("fuzz-output", 0);
    std::fflush(stdout);
    std::fflush(stderr);
    const int savedOut = ::dup(1), savedErr = ::dup(2);
    if (capture < 0 || ::ftruncate(capture, 0) != 0 || ::lseek(capture, 0, SEEK_SET) != 0) std::abort();
    ::dup2(capture, 1);
    ::dup2(capture, 2);
    const int exitCode = command(args);
    std::fflush(stdout);
    std::fflush(stderr);
    ::dup2(savedOut, 1);
    ::dup2(savedErr, 2);
    ::close(savedOut);
    ::close(savedErr);
    std::string text(static_cast<size_t>(::lseek(capture, 0, SEEK_END)), '\0');
    if (::pread(capture, text.data(), text.size(), 0) != static_cast<ssize_t>(text.size())) std::abort();
    return text + "\n--- exit " + std::to_string(exitCode);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vorlix::cli;
    // Parts of 100 to 355 bytes, chosen by the input's last byte.
    SetPartSizeForTests(100 + (size ? data[size - 1] : 0));
    const std::string file = vorlix::fuzz::InMemoryFile(data, size);
    for (auto* command : {&RunGames, &RunReplay}) {
        const std::string one = Captured(command, {file, "--jobs", "1"});
        for (const char* jobs : {"2", "3"}) {
            const std::string more = Captured(command, {file, "--jobs", jobs});
            if (more != one) {
                std::fprintf(stderr, "%s with --jobs %s differs from one job:\n%s\n--- one job:\n%s\n",
                             command == &RunGames ? "games" : "replay", jobs, more.c_str(), one.c_str());
                std::abort();
            }
        }
    }
    return 0;
}
