#include <string>

#include "cli/CliUtil.h"
#include "cli/Commands.h"
#include "cli/GamePass.h"

namespace vorlix::cli {

namespace {

void AppendGameLine(TGameText& text, const TPGNRec& g) {
    text.PutGameNumber();
    std::string& out = text.Text();
    for (const std::string* field :
         {&g.White, &g.Black, &g.Event, &g.Site, &g.Date, &g.Result, &g.Round, &g.WhiteElo, &g.BlackElo, &g.ECO}) {
        out += '\t';
        AppendField(out, *field);
    }
    out += '\n';
}

}  // namespace

// vorlix games FILE [--jobs N]: one TAB-separated line of tags per game,
// written as the games are read, so the file never has to fit in memory.
int RunGames(const Args& args) {
    std::string file;
    int jobs = 0;
    if (!ParseFileAndJobs(args, file, jobs)) return Usage();
    TStdErrReporter reporter(file);
    TOutputBuffer out;
    const bool loaded =
        WriteEveryGame(InputFileName(file), jobs ? jobs : DefaultJobs(), reporter, out, AppendGameLine, TMoveText::Skip)
            .Read;
    out.Flush();
    return loaded ? 0 : 1;
}

}  // namespace vorlix::cli
