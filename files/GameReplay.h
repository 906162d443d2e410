#pragma once
// Plays the moves of one game one after another, holding only the position
// reached, so a game of any length is replayed in constant memory.
#include "files/MoveTokens.h"
#include "files/PGNRecord.h"
#include "rules/ChessPosition.h"
#include "rules/KingSquares.h"
#include "rules/Placement.h"

namespace vorlix {

class TGameReplay {
public:
    // Sets up the start position: the standard one, or the game's FEN when it
    // has a setup. Raises EIllegalMoveData when that FEN cannot be read.
    // The game must outlive the replay.
    explicit TGameReplay(const TPGNRec& game);
    TGameReplay(const TGameReplay&) = delete;
    TGameReplay& operator=(const TGameReplay&) = delete;

    // The start position, or the position after the last move made.
    const TChessPosition& Position() const { return Position_; }
    // The placement text of Position, kept up to date rank by rank.
    const TPlacementCache& Placement() const { return Placement_; }
    // Makes the next move of the game; false when none is left. Raises
    // EIllegalMoveData at a move that cannot be made; Position stays as it was.
    bool Step();

private:
    static bool ReadStart(const TPGNRec& game, TChessPosition& start);

    TChessPosition Position_;  // every move is made on it in place
    TKingSquares Kings_;
    TPlacementCache Placement_;
    TMoveTokenizer Tokens_;
    bool Done_;
};

// The number of move tokens of the game, counted up to limit + 1.
int CountMoveTokens(const TPGNRec& game, bool whiteFirst, int limit);

}  // namespace vorlix
