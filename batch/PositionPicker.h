#pragma once
// Which positions of a replayed game become diagrams: every position, the
// positions of the typed lists, or the fixed positions (the final position;
// for a game set up from a FEN its starting and/or final position).
#include <vector>

#include "batch/BatchFileName.h"
#include "batch/PositionList.h"
#include "files/BoardMarks.h"

namespace vorlix {

struct TChessPosition;

struct TPositionRule {
    TPositionMode Mode = TPositionMode::Fixed;
    bool FenStart = true;   // set-up games, fixed positions: the starting position
    bool FenFinal = false;  // set-up games, fixed positions: the final position
    TPositionSelection Custom;
};

struct TPickedPosition {
    int Number = 0;  // the position's number for its file name
    const TChessPosition* Position = nullptr;
};

// The chosen positions of the chain starting at first, in game order. A chain
// that a faulty move cut short (wholeGame false) gives only the positions it
// surely holds: no final position, nothing counted from the end.
std::vector<TPickedPosition> PickPositions(const TChessPosition* first, bool setupGame, const TPositionRule& rule,
                                           bool wholeGame = true);

// A set-up game whose fixed positions are switched off gives nothing.
bool NothingToDo(bool setupGame, const TPositionRule& rule);

// The arrows and coloured squares a batch diagram of a game's position shows:
// those the game's comments put on that very position (gameMarks as
// ReadGameMarks gives them, position a link of the game's chain), none other.
const TBoardMarks& BatchPositionMarks(const std::vector<TBoardMarks>& gameMarks, const TChessPosition& position);
// The place of a position in its game's chain: 0 for the start.
int PositionIndex(const TChessPosition& position);

}  // namespace vorlix
