#include "batch/GameStateChoice.h"

#include <algorithm>

#include "files/EPDRecord.h"
#include "rules/ChessPosition.h"

namespace vorlix {

void SetJobSide(TDiagramJob& job, TSideToMove side, const TGameStateChoice& choice) {
    job.SideToMove = side;
    if (choice.OrientMover && side != TSideToMove::None)
        job.View = side == TSideToMove::White ? vwWhiteUnder : vwBlackUnder;
}

void SetJobGameState(TDiagramJob& job, const TChessPosition& position, const std::string& glyph,
                     const TGameStateChoice& choice) {
    SetJobSide(job, SideOfPosition(position), choice);
    job.MoveState = MoveStateOfPosition(position, choice.LastMove, choice.Check, choice.Glyphs ? glyph : std::string());
}

void SetJobEpdState(TDiagramJob& job, const TEPDRec& record, const TGameStateChoice& choice) {
    SetJobSide(job, record.WhiteToMove ? TSideToMove::White : TSideToMove::Black, choice);
    if (!choice.Check) return;
    TChessPosition position;
    std::copy(std::begin(record.Board), std::end(record.Board), std::begin(position.Board));
    position.WhiteToMove = record.WhiteToMove;
    job.MoveState = MoveStateOfPosition(position, TLastMoveMark::None, true, {});
}

}  // namespace vorlix
