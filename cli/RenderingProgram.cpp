#include "cli/RenderingProgram.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

namespace vorlix::cli {

namespace {

char** gArgv = nullptr;

// The rendering program's path: the folder of this program's file.
std::string RenderingProgramPath() {
    char self[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string dir = n > 0 ? std::string(self, static_cast<size_t>(n)) : std::string(gArgv[0]);
    const size_t slash = dir.rfind('/');
    dir = slash == std::string::npos ? std::string(".") : dir.substr(0, slash);
    return dir + "/vorlix-rendering";
}

}  // namespace

void KeepCommandLine(char** argv) { gArgv = argv; }

int RunInRenderingProgram(const Args&) {
    const std::string path = RenderingProgramPath();
    std::fflush(nullptr);
    execv(path.c_str(), gArgv);
    std::fprintf(stderr, "vorlix: cannot start %s: %s\n", path.c_str(), std::strerror(errno));
    return 1;
}

}  // namespace vorlix::cli
