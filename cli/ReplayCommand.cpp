#include <string>

#include "cli/CliUtil.h"
#include "cli/Commands.h"
#include "files/PGN.h"
#include "files/PGNPos.h"
#include "files/PositionText.h"

namespace vorlix::cli {

namespace {

struct TReplayArgs {
    std::string File;
    int Game = 0;  // 0: every game
};

bool ParseArgs(const Args& args, TReplayArgs& parsed) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--game") {
            if (i + 1 >= args.size() || parsed.Game || !ParsePositive(args[++i], parsed.Game)) return false;
        } else if (args[i].empty() || args[i][0] == '-' || !parsed.File.empty()) {
            return false;
        } else {
            parsed.File = args[i];
        }
    }
    return !parsed.File.empty();
}

// "game N", one FEN per position, and "error: ..." when the replay stopped at a bad move.
void ReplayGame(TOutputBuffer& out, int number, const TPGNRec& game) {
    TCollectingReporter errors;
    TPGNPos replay(errors);
    const bool ok = replay.LoadGame(&game);
    std::string& text = out.Text();
    text += "game ";
    text += std::to_string(number);
    text += '\n';
    for (const TChessPosition* p = replay.First; p; p = p->Next) {
        AppendFenText(text, *p);
        text += '\n';
    }
    if (!ok) {
        text += "error: ";
        AppendField(text, WithLfLineEnds(errors.Last()));
        text += '\n';
    }
    out.MaybeFlush();
}

}  // namespace

// vorlix replay FILE [--game N]
int RunReplay(const Args& args) {
    TReplayArgs parsed;
    if (!ParseArgs(args, parsed)) return Usage();
    TStdErrReporter reporter;
    TPGN pgn(reporter);
    const bool loaded = pgn.LoadFromFile(parsed.File);
    TOutputBuffer out;
    int number = 0;
    bool found = parsed.Game == 0;
    for (const TPGNRec* g = pgn.First; g; g = g->Next) {
        if (++number != parsed.Game && parsed.Game != 0) continue;
        ReplayGame(out, number, *g);
        found = true;
    }
    out.Flush();
    if (!found && loaded) {
        std::fprintf(stderr, "%s holds no game %d.\n", parsed.File.c_str(), parsed.Game);
        return 1;
    }
    ExitNow(loaded ? 0 : 1);
}

}  // namespace vorlix::cli
