#pragma once
// Which positions of a replayed game become diagrams: every position, the
// positions of the typed lists, or the fixed positions (the final position;
// for a game set up from a FEN its starting and/or final position).
#include <vector>

#include "batch/BatchFileName.h"
#include "batch/PositionList.h"

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

// The chosen positions of the chain starting at first, in game order.
std::vector<TPickedPosition> PickPositions(const TChessPosition* first, bool setupGame, const TPositionRule& rule);

// A set-up game whose fixed positions are switched off gives nothing.
bool NothingToDo(bool setupGame, const TPositionRule& rule);

}  // namespace vorlix
