#include "viewers/ReplayNavigation.h"

#include "files/PGNPos.h"

namespace vorlix {

std::string LastMoveLabel(const TChessPosition& position, TNotation notation) {
    // A set-up game's first position carries its move number but no move.
    if (position.MoveNumber <= 0 || !position.Prev) return "-";
    // The side to move now is the one that did not make the last move.
    return std::to_string(position.MoveNumber) + (position.WhiteToMove ? "..." : ".") + " " +
           NotatedMove(position, notation);
}

TNavigationState NavigationState(const TPGNPos& chain, TNotation notation) {
    TNavigationState state;
    if (!chain.Current) return state;
    const int before = chain.CurrentIndex();
    const int after = chain.StepsToEnd();
    state.Start = state.Back = before > 0;
    state.FastBack = before >= kFastStep;
    state.Forward = state.End = after > 0;
    state.FastForward = after >= kFastStep;
    state.LastMove = LastMoveLabel(*chain.Current, notation);
    return state;
}

}  // namespace vorlix
