#pragma once
// What the game viewer's navigation shows for a replayed game: which steps are
// possible, the last-move label and the automatic replay's pace.
#include <string>

#include "rules/MoveNotation.h"

namespace vorlix {

class TPGNPos;
struct TChessPosition;

// Steps of eight positions ("Fast Forward", "Fast Backward").
constexpr int kFastStep = 8;

struct TNavigationState {
    bool Start = false;     // "Starting Position"
    bool FastBack = false;  // "Fast Backward"
    bool Back = false;      // "Previous"
    bool Forward = false;   // "Next"
    bool FastForward = false;
    bool End = false;  // "Final Position"
    std::string LastMove;
};

// All disabled with an empty label when no game is loaded (empty chain).
TNavigationState NavigationState(const TPGNPos& chain, TNotation notation = TNotation::AsWritten);

// "12. Nf3" after a white move, "12... Nc6" after a black one, "-" at the first
// position (also of a game set up from a FEN, which has a move number); the
// move in the notation.
std::string LastMoveLabel(const TChessPosition& position, TNotation notation = TNotation::AsWritten);

// The automatic replay's timer interval in ms for a speed track bar position 0 to 100.
constexpr int ReplayInterval(int trackBarPosition) { return 5250 - 50 * trackBarPosition; }

}  // namespace vorlix
