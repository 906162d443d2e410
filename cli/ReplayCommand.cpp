#include <string>

#include "cli/CliUtil.h"
#include "cli/Commands.h"
#include "cli/GamePass.h"
#include "files/Exceptions.h"
#include "files/GameReplay.h"
#include "files/PGNReader.h"
#include "files/PositionText.h"

namespace vorlix::cli {

namespace {

struct TReplayArgs {
    std::string File;
    int Game = 0;  // 0: every game
    int Jobs = 0;  // 0: as many as there are processors
};

bool ParseArgs(const Args& args, TReplayArgs& parsed) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--game") {
            if (i + 1 >= args.size() || parsed.Game || !ParsePositive(args[++i], parsed.Game)) return false;
        } else if (args[i] == "--jobs") {
            if (i + 1 >= args.size() || parsed.Jobs || !ParseJobs(args[++i], parsed.Jobs)) return false;
        } else if (!IsFileArgument(args[i]) || !parsed.File.empty()) {
            return false;
        } else {
            parsed.File = args[i];
        }
    }
    return !parsed.File.empty();
}

void AppendPositionLine(TGameText& out, const TGameReplay& replay) {
    replay.AppendFenLine(out.Text());
    out.MaybeFlush();
}

// "game N", one FEN per position, and "error: ..." when the replay stopped at a
// bad move; such a game is also named on standard error. Each position is
// written as it is reached: a game of any length is replayed in constant memory.
void ReplayGame(TGameText& out, const TPGNRec& game) {
    out.Text() += "game ";
    out.PutGameNumber();
    out.Text() += '\n';
    try {
        TGameReplay replay(game);
        AppendPositionLine(out, replay);
        while (replay.Step()) AppendPositionLine(out, replay);
    } catch (const EIllegalMoveData& e) {
        out.Text() += "error: ";
        AppendField(out.Text(), WithLfLineEnds(e.Message()));
        out.Text() += '\n';
        out.GameFailed(e.Message());
    }
    out.MaybeFlush();
}

}  // namespace

// vorlix replay FILE [--game N]: each game is replayed as soon as it is read.
// Exits with 1 when the file could not be read or a game could not be
// replayed to its end; the other games are written all the same.
int RunReplay(const Args& args) {
    TReplayArgs parsed;
    if (!ParseArgs(args, parsed)) return Usage();
    TStdErrReporter reporter(parsed.File);
    TOutputBuffer out;
    if (parsed.Game == 0) {
        const int jobs = parsed.Jobs ? parsed.Jobs : DefaultJobs();
        const TGamePass pass = WriteEveryGame(InputFileName(parsed.File), jobs, reporter, out, ReplayGame);
        out.Flush();
        return pass.Read && pass.FailedGames == 0 ? 0 : 1;
    }
    int failed = 0;
    const bool found = ForGameNumber(parsed.File, parsed.Game, reporter, [&](TPGNRec& done) {
        TGameText text(out, parsed.Game - 1);
        ReplayGame(text, done);
        failed = text.ReportFailures(reporter, 0);
    });
    out.Flush();
    return found && failed == 0 ? 0 : 1;
}

}  // namespace vorlix::cli
