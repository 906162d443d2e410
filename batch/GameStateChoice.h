#pragma once
// What a batch run shows of each position beyond its pieces: the mover mark,
// the board turned so the side to move plays up, the last move, check and the
// move's glyph. A job carries the values; the style's board draws them.
#include <string>

#include "batch/BatchRunner.h"
#include "board/PositionMarks.h"

namespace vorlix {

struct TChessPosition;
struct TEPDRec;

struct TGameStateChoice {
    bool MoverMark = false;    // the style's "Show Side to Move" switched on
    bool OrientMover = false;  // the side to move at the bottom
    TLastMoveMark LastMove = TLastMoveMark::None;
    bool Check = false;
    bool Glyphs = false;
    bool operator==(const TGameStateChoice&) const = default;
};

// The side to move of a job, and its view when the mover is to be at the bottom.
void SetJobSide(TDiagramJob& job, TSideToMove side, const TGameStateChoice& choice);
// The side, last move, check and glyph of a game position.
void SetJobGameState(TDiagramJob& job, const TChessPosition& position, const std::string& glyph,
                     const TGameStateChoice& choice);
// The side of an EPD record, and the king in check when asked (a record has no last move).
void SetJobEpdState(TDiagramJob& job, const TEPDRec& record, const TGameStateChoice& choice);

}  // namespace vorlix
