#include "batch/GameStateChoice.h"

#include <algorithm>

#include "files/EPDRecord.h"
#include "rules/ChessPosition.h"

namespace vorlix {

void SetJobSide(TDiagramJob& job, TSideToMove side, const TGameStateChoice& choice) {
    job.SideToMove = side;
    if (choice.OrientMover && side != TSideToMove::None) job.View = MoverView(side);
}

void SetJobGameState(TDiagramJob& job, const TChessPosition& position, const std::string& glyph,
                     const TGameStateChoice& choice) {
    SetJobSide(job, SideOfPosition(position), choice);
    job.MoveState = MoveStateOfPosition(position, choice.LastMove, choice.Check, choice.Glyphs ? glyph : std::string());
}

void SetJobEpdState(TDiagramJob& job, const TEPDRec& record, const TGameStateChoice& choice) {
    SetJobSide(job, record.WhiteToMove ? TSideToMove::White : TSideToMove::Black, choice);
    if (!choice.Check) return;
    int32_t squares[64];
    std::copy(std::begin(record.Board), std::end(record.Board), squares);
    job.MoveState = CheckStateOf(squares, record.WhiteToMove);
}

}  // namespace vorlix
