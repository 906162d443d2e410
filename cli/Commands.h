#pragma once
// The sub-commands of the vorlix tool. Each takes the arguments after its name
// and returns the process exit code: 0 success, 1 file-level failure or (replay,
// batch) a game that could not be replayed to its end, 2 bad arguments.
#include <cstdio>
#include <string>
#include <vector>

namespace vorlix::cli {

using Args = std::vector<std::string>;

int RunGames(const Args& args);
int RunReplay(const Args& args);
int RunEpd(const Args& args);
int RunRender(const Args& args);
int RunGif(const Args& args);
int RunBatch(const Args& args);
int RunSheet(const Args& args);
int RunBook(const Args& args);

// Names a command that draws. The text-only program (built with
// VORLIX_TEXT_ONLY, without Qt) runs it in the rendering program instead.
#ifdef VORLIX_TEXT_ONLY
#define VORLIX_RENDERING(run) RunInRenderingProgram  // cli/RenderingProgram.h
#else
#define VORLIX_RENDERING(run) run
#endif

// Prints the usage text on standard error and returns 2.
int Usage();
// The usage text ("vorlix --help" prints it on standard output).
void PrintUsage(std::FILE* stream);

}  // namespace vorlix::cli
