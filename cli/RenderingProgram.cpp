#include "cli/RenderingProgram.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "files/InstallPaths.h"

namespace vorlix::cli {

namespace {

char** gArgv = nullptr;

// Beside this program in the build tree; installed, among the private helper programs.
std::string RenderingProgramPath() { return FindHelperProgram(RunningProgramFolder(), "vorlix-rendering"); }

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
