#include "files/GameReplay.h"

#include "files/Exceptions.h"
#include "files/TextUtil.h"
#include "rules/FenReader.h"
#include "rules/MoveNotation.h"
#include "rules/MoveRules.h"

namespace vorlix {

namespace {
const char* const kBadFen = "Illegal FEN data in PGN archive.";
const char* const kBadMove = "Illegal move data in PGN archive.";
}  // namespace

TGameReplay::TGameReplay(const TPGNRec& game)
    : Tokens_(game.Moves, game.Result, ReadStart(game, Position_)), Done_(Trim(game.Moves) == game.Result) {
    Kings_.Find(Position_.Board);
    Placement_.SetAll(Position_.Board);
}

bool TGameReplay::ReadStart(const TPGNRec& game, TChessPosition& start) {
    if (!game.HasSetup) SetStartPosition(start);
    else if (!ReadFEN(game.FEN, start)) throw EIllegalMoveData(kBadFen);
    return start.WhiteToMove;
}

bool TGameReplay::Step() {
    TMove token;
    if (Done_ || !Tokens_.Next(token)) {
        Done_ = true;
        return false;
    }
    TChessMove move;
    if (!DecodeMove(token.Text, token.IsWhite, move)) throw EIllegalMoveData(kBadMove);
    if (token.IsWhite ? Position_.BlackInCheck : Position_.WhiteInCheck) throw EIllegalMoveData(kBadMove);
    if (!ValidateMove(Position_, Kings_, move)) throw EIllegalMoveData("Illegal move data: " + std::string(token.Text));
    PlayMove(Position_, move);
    Position_.LastMove = move;
    Position_.MoveText.assign(token.Text);
    Kings_.Follow(Position_, move);
    Placement_.Update(Position_.Board, RanksChangedBy(move), Kings_.Occupied);
    return true;
}

int CountMoveTokens(const TPGNRec& game, bool whiteFirst, int limit) {
    TMoveTokenizer tokens(game.Moves, game.Result, whiteFirst);
    int count = 0;
    for (TMove move; count <= limit && tokens.Next(move);) ++count;
    return count;
}

}  // namespace vorlix
