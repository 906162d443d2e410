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

const std::string& ScratchFolder() {
    static const std::string folder = [] {
        char name[] = "/tmp/vorlix-fuzz-XXXXXX";
        if (!::mkdtemp(name)) throw std::runtime_error("cannot make a scratch folder");
        std::atexit([] { std::filesystem::remove_all(ScratchFolder()); });
        return std::string(name);
    }();
    return folder;
}

}  // namespace vorlix::fuzz
