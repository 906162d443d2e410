#pragma once
// Plays the moves of one game one after another, holding only the position
// reached, so a game of any length is replayed in constant memory.
#include <string>
#include <string_view>

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

    // The start position, or the position after the last move made, with its move text.
    const TChessPosition& Position() const;
    // Appends the FEN of Position and a line end. Writers of every position
    // use it: the placement text is kept up to date move by move, and the
    // move text is not copied for them.
    void AppendFenLine(std::string& out) const;
    // Makes the next move of the game; false when none is left. Raises
    // EIllegalMoveData at a move that cannot be made, naming it by number and
    // text ("Illegal move data: 12... Nxe5"); Position stays as it was.
    bool Step();

private:
    static bool ReadStart(const TPGNRec& game, TChessPosition& start);

    mutable TChessPosition position_;  // every move is made on it in place
    std::string_view moveText_;        // the last move's token, in the game's move text
    mutable bool moveTextStale_ = false;
    TKingSquares kings_;
    TPlacementCache placement_;
    TMoveTokenizer tokens_;
    bool done_;
};

// A move as messages name it: "12. e4" for White, "12... e5" for Black, with
// the number of the move to be made from `before`.
std::string MoveLabel(const TChessPosition& before, std::string_view text);

// A replay message naming the game by its number in the file ("Game 3: ...");
// unchanged for number 0.
std::string GameMessage(int gameNumber, const std::string& message);

// The number of move tokens of the game, counted up to limit + 1.
int CountMoveTokens(const TPGNRec& game, bool whiteFirst, int limit);

}  // namespace vorlix
