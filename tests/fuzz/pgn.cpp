// PGN reading and game replay: no crash, and the streaming replay of every
// game makes exactly the moves the viewer's chain holds.
#include "files/PGN.h"

#include <cstdlib>

#include "FuzzTarget.h"
#include "files/Exceptions.h"
#include "files/GameReplay.h"
#include "files/PGNPos.h"

using namespace vorlix;

namespace {

int StreamedPlies(const TPGNRec& game) {
    int plies = 0;
    try {
        TGameReplay replay(game);
        while (replay.Step()) ++plies;
    } catch (const EIllegalMoveData&) {
        if (game.HasSetup && plies == 0) return -1;  // no start position at all
    }
    return plies;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TPGN pgn;
    pgn.LoadFromFile(fuzz::InMemoryFile(data, size));
    TPGNPos chain;
    int games = 0;
    for (const TPGNRec* g = pgn.First; g && games < 50; g = g->Next, ++games) {
        chain.LoadGame(g);
        const int streamed = StreamedPlies(*g);
        const int held = chain.First ? chain.PositionCount() - 1 : -1;
        if (streamed >= 0 && held != streamed) std::abort();
    }
    return 0;
}
