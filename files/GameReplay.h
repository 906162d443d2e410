#pragma once
// Plays the moves of one game one after another, holding only the position
// reached, so a game of any length is replayed in constant memory.
#include "files/MoveTokens.h"
#include "files/PGNRecord.h"
#include "rules/ChessPosition.h"

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
    const TChessPosition& Position() const { return *Current_; }
    // Makes the next move of the game; false when none is left. Raises
    // EIllegalMoveData at a move that cannot be made; Position stays as it was.
    bool Step();

private:
    static bool ReadStart(const TPGNRec& game, TChessPosition& start);

    TChessPosition Positions_[2];  // the current one and the one the next move fills
    TChessPosition* Current_ = &Positions_[0];
    TMoveTokenizer Tokens_;
    bool Done_;
};

// The number of move tokens of the game, counted up to limit + 1.
int CountMoveTokens(const TPGNRec& game, bool whiteFirst, int limit);

}  // namespace vorlix
