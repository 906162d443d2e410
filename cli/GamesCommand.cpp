#include <string>

#include "cli/CliUtil.h"
#include "cli/Commands.h"
#include "files/PGN.h"

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

// vorlix games FILE: one TAB-separated line of tags per game.
int RunGames(const Args& args) {
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') return Usage();
    TStdErrReporter reporter;
    TPGN pgn(reporter);
    const bool loaded = pgn.LoadFromFile(args[0]);
    TOutputBuffer out;
    int number = 0;
    for (const TPGNRec* g = pgn.First; g; g = g->Next) {
        AppendGameLine(out.Text(), ++number, *g);
        out.MaybeFlush();
    }
    out.Flush();
    ExitNow(loaded ? 0 : 1);
}

}  // namespace vorlix::cli
