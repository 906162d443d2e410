#include <string>

#include "cli/CliUtil.h"
#include "cli/Commands.h"
#include "files/PGNReader.h"

namespace vorlix::cli {

namespace {

void AppendGameLine(std::string& out, int number, const TPGNRec& g) {
    out += std::to_string(number);
    for (const std::string* field : {&g.White, &g.Black, &g.Event, &g.Site, &g.Date, &g.Result, &g.Round,
                                     &g.WhiteElo, &g.BlackElo, &g.ECO}) {
        out += '\t';
        AppendField(out, *field);
    }
    out += '\n';
}

}  // namespace

// vorlix games FILE: one TAB-separated line of tags per game, written as the
// games are read, so the file never has to fit in memory.
int RunGames(const Args& args) {
    if (args.size() != 1 || !IsFileArgument(args[0])) return Usage();
    TStdErrReporter reporter(args[0]);
    TOutputBuffer out;
    TPGNRec game;
    int number = 0;
    const bool loaded = ReadPGNFile(
        InputFileName(args[0]), reporter,
        [&] {
            ResetGame(game);
            return &game;
        },
        [&](TPGNRec& done) {
            AppendGameLine(out.Text(), ++number, done);
            out.MaybeFlush();
        });
    out.Flush();
    return loaded ? 0 : 1;
}

}  // namespace vorlix::cli
