#include <cstdio>

#include "cli/Commands.h"

namespace vorlix::cli {

// Placeholder until the subsystem behind this command exists.
int RunEpd(const Args&) {
    std::fputs("vorlix: 'epd' is not available yet\n", stderr);
    return 1;
}

}  // namespace vorlix::cli
