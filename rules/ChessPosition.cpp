#include "rules/ChessPosition.h"

namespace vorlix {

void SetStartPosition(TChessPosition& pos) {
    static constexpr int32_t backRank[8] = {pcWRook, pcWKnight, pcWBishop, pcWQueen,
                                            pcWKing, pcWBishop, pcWKnight, pcWRook};
    for (int file = 0; file < 8; ++file) {
        for (int rank = 0; rank < 8; ++rank) pos.Board[SquareIndex(file, rank)] = pcEmpty;
        pos.Board[SquareIndex(file, 0)] = backRank[file];
        pos.Board[SquareIndex(file, 1)] = pcWPawn;
        pos.Board[SquareIndex(file, 6)] = pcBPawn;
        pos.Board[SquareIndex(file, 7)] = backRank[file] + kBlackOffset;
    }
    pos.MoveNumber = 0;
    pos.WhiteToMove = true;
    pos.WhiteInCheck = pos.BlackInCheck = false;
    pos.CastleWhiteShort = pos.CastleWhiteLong = true;
    pos.CastleBlackShort = pos.CastleBlackLong = true;
    pos.EpPossible = false;
    pos.EpFile = pos.EpRank = -1;
    pos.HalfMoveClock = 0;
}

void CopyPlacement(const TChessPosition& from, TChessPosition& to) {
    for (int i = 0; i < 64; ++i) to.Board[i] = from.Board[i];
}

}  // namespace vorlix
