#include <cstdio>

#include "cli/Commands.h"

namespace vorlix::cli {

// Placeholder until the subsystem behind this command exists.
int RunGames(const Args&) {
    std::fputs("vorlix: 'games' is not available yet\n", stderr);
    return 1;
}

}  // namespace vorlix::cli
