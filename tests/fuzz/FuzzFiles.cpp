#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "FuzzTarget.h"

namespace vorlix::fuzz {

std::string InMemoryFile(const uint8_t* data, size_t size) {
    static int fd = -1;
    if (fd < 0) fd = ::memfd_create("fuzz-input", 0);
    if (fd < 0 || ::ftruncate(fd, 0) != 0 || ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
        throw std::runtime_error("cannot make the in-memory input file");
    return "/proc/self/fd/" + std::to_string(fd);
}

namespace {

// Kept alive to the very end: the folder is removed by an exit handler.
std::string* gScratchFolder = nullptr;

void RemoveScratchFolder() { std::filesystem::remove_all(*gScratchFolder); }

}  // namespace

const std::string& ScratchFolder() {
    if (!gScratchFolder) {
        char name[] = "/tmp/vorlix-fuzz-XXXXXX";
        if (!::mkdtemp(name)) throw std::runtime_error("cannot make a scratch folder");
        gScratchFolder = new std::string(name);
        std::atexit(RemoveScratchFolder);
    }
    return *gScratchFolder;
}

}  // namespace vorlix::fuzz
