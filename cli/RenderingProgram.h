#pragma once
// The text-only vorlix program runs the commands that draw by handing the
// process over to the rendering program installed beside it.
#include "cli/Commands.h"

namespace vorlix::cli {

// Keeps the command line for RunInRenderingProgram; main calls it first.
void KeepCommandLine(char** argv);
// Replaces this process by the rendering program with the same command line;
// returns only when that fails (exit code 1, reason on standard error).
int RunInRenderingProgram(const Args& args);

}  // namespace vorlix::cli
