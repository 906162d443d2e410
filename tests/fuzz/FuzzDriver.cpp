// A plain fuzz driver: starts from seed files and feeds random mutations of
// them to the target for a number of runs or seconds. Crashes show as
// sanitizer reports (in a sanitizer build) or signals; the input that caused
// one is written to fuzz-crash-PID.bin first.
//
//   fuzz_NAME [--seconds N] [--runs N] [--seed N] [--max-size N] SEED_FILE_OR_FOLDER...
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "FuzzTarget.h"

namespace {

using TBytes = std::vector<uint8_t>;

TBytes gCurrent;  // the input being run, saved when the target crashes

void SaveCurrentInput(int sig) {
    char name[64];
    std::snprintf(name, sizeof name, "fuzz-crash-%d.bin", static_cast<int>(::getpid()));
    const int fd = ::open(name, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
        if (::write(fd, gCurrent.data(), gCurrent.size()) < 0) {
        }
        ::close(fd);
    }
    ::signal(sig, SIG_DFL);
    ::raise(sig);
}

extern "C" void __sanitizer_set_death_callback(void (*)()) __attribute__((weak));
void SaveOnSanitizerDeath() { SaveCurrentInput(SIGABRT); }

// Tokens that matter to the readers: separators, line ends, quotes, brackets, moves.
const std::vector<std::string> kTokens = {";",          "\r",
                                          "\n",         "\r\n",
                                          "\"",         "{",
                                          "}",          "[",
                                          "]",          "(",
                                          ")",          " ",
                                          "\t",         std::string("\0", 1),
                                          "/",          "-",
                                          "0-0",        "O-O",
                                          "--",         "e8=Q",
                                          "1-0",        "*",
                                          " bm ",       " id ",
                                          "%",          "$1",
                                          "\xC3\xA9",   "\xFF",
                                          "2147483648", "-1",
                                          "[FEN \"",    "[SetUp \"1\"]",
                                          "8/8/8",      " w - - "};

class TMutator {
public:
    TMutator(const std::vector<TBytes>& seeds, unsigned seed, size_t maxSize)
        : seeds_(seeds), rng_(seed), maxSize_(maxSize) {}

    TBytes Next() {
        TBytes input = seeds_.empty() ? TBytes() : seeds_[Pick(seeds_.size())];
        const int steps = 1 + static_cast<int>(Pick(8));
        for (int i = 0; i < steps; ++i) Mutate(input);
        if (input.size() > maxSize_) input.resize(maxSize_);
        return input;
    }

private:
    size_t Pick(size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }

    void Mutate(TBytes& b) {
        switch (Pick(7)) {
            case 0:  // flip a bit
                if (!b.empty()) b[Pick(b.size())] ^= static_cast<uint8_t>(1u << Pick(8));
                break;
            case 1:  // random byte
                if (!b.empty()) b[Pick(b.size())] = static_cast<uint8_t>(Pick(256));
                break;
            case 2: {  // insert a token
                const std::string& t = kTokens[Pick(kTokens.size())];
                const size_t at = Pick(b.size() + 1);
                b.insert(b.begin() + at, t.begin(), t.end());
                break;
            }
            case 3:  // erase a run
                if (!b.empty()) {
                    const size_t at = Pick(b.size());
                    b.erase(b.begin() + at, b.begin() + std::min(b.size(), at + 1 + Pick(16)));
                }
                break;
            case 4:  // duplicate a run
                if (!b.empty()) {
                    const size_t at = Pick(b.size());
                    const TBytes run(b.begin() + at, b.begin() + std::min(b.size(), at + 1 + Pick(64)));
                    b.insert(b.begin() + Pick(b.size() + 1), run.begin(), run.end());
                }
                break;
            case 5:  // splice in part of another seed
                if (!seeds_.empty()) {
                    const TBytes& other = seeds_[Pick(seeds_.size())];
                    if (!other.empty()) {
                        const size_t at = Pick(other.size());
                        const size_t n = std::min(other.size() - at, 1 + Pick(256));
                        b.insert(b.begin() + Pick(b.size() + 1), other.begin() + at, other.begin() + at + n);
                    }
                }
                break;
            default:  // cut the end
                if (!b.empty()) b.resize(Pick(b.size()));
                break;
        }
    }

    const std::vector<TBytes>& seeds_;
    std::mt19937 rng_;
    size_t maxSize_;
};

TBytes ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return TBytes(std::istreambuf_iterator<char>(in), {});
}

void AddSeeds(const std::filesystem::path& path, std::vector<TBytes>& seeds) {
    if (std::filesystem::is_directory(path)) {
        for (const auto& entry : std::filesystem::directory_iterator(path))
            if (entry.is_regular_file()) seeds.push_back(ReadFile(entry.path()));
    } else {
        seeds.push_back(ReadFile(path));
    }
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = 10;
    long runs = -1;
    unsigned seed = std::random_device{}();
    size_t maxSize = 64 << 10;
    std::vector<TBytes> seeds;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&] { return i + 1 < argc ? std::string(argv[++i]) : std::string("0"); };
        if (arg == "--seconds")
            seconds = std::stod(value());
        else if (arg == "--runs")
            runs = std::stol(value());
        else if (arg == "--seed")
            seed = static_cast<unsigned>(std::stoul(value()));
        else if (arg == "--max-size")
            maxSize = std::stoul(value());
        else
            AddSeeds(arg, seeds);
    }
    for (int sig : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL}) ::signal(sig, SaveCurrentInput);
    if (__sanitizer_set_death_callback) __sanitizer_set_death_callback(SaveOnSanitizerDeath);

    // Every seed as it is first, then mutations.
    long done = 0;
    for (const TBytes& s : seeds) {
        gCurrent = s;
        LLVMFuzzerTestOneInput(gCurrent.data(), gCurrent.size());
        ++done;
    }
    TMutator mutator(seeds, seed, maxSize);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (runs < 0 ? std::chrono::steady_clock::now() < end : done < runs) {
        gCurrent = mutator.Next();
        LLVMFuzzerTestOneInput(gCurrent.data(), gCurrent.size());
        ++done;
    }
    std::printf("%ld inputs, seed %u, no crash\n", done, seed);
    return 0;
}
