#include "files/GameReplay.h"

#include "files/Exceptions.h"
#include "files/PositionText.h"
#include "files/TextUtil.h"
#include "rules/FenReader.h"
#include "rules/MoveNotation.h"
#include "rules/MoveRules.h"

namespace vorlix {

namespace {
const char* const kBadFen = "Illegal FEN data in PGN archive.";
}  // namespace

std::string MoveLabel(const TChessPosition& before, std::string_view text) {
    std::string label = std::to_string(before.WhiteToMove ? before.MoveNumber + 1 : before.MoveNumber);
    label += before.WhiteToMove ? ". " : "... ";
    label += text;
    return label;
}

std::string GameMessage(int gameNumber, const std::string& message) {
    return gameNumber > 0 ? "Game " + std::to_string(gameNumber) + ": " + message : message;
}

TGameReplay::TGameReplay(const TPGNRec& game)
    : tokens_(game.Moves, game.Result, ReadStart(game, position_)), done_(Trim(game.Moves) == game.Result) {
    kings_.Find(position_.Board);
    placement_.SetAll(position_.Board);
}

bool TGameReplay::ReadStart(const TPGNRec& game, TChessPosition& start) {
    if (!game.HasSetup)
        SetStartPosition(start);
    else if (!ReadFEN(game.FEN, start))
        throw EIllegalMoveData(kBadFen);
    return start.WhiteToMove;
}

bool TGameReplay::Step() {
    TMove token;
    if (done_ || !tokens_.Next(token)) {
        done_ = true;
        return false;
    }
    // A token that is no move, a side to move whose opponent stands in check,
    // and a move no piece can make all stop the game at that move.
    TChessMove move;
    if (!DecodeMove(token.Text, token.IsWhite, move) ||
        (token.IsWhite ? position_.BlackInCheck : position_.WhiteInCheck) || !ValidateMove(position_, kings_, move))
        throw EIllegalMoveData("Illegal move data: " + MoveLabel(position_, token.Text));
    PlayMove(position_, move);
    position_.LastMove = move;
    moveText_ = token.Text;
    moveTextStale_ = true;
    kings_.Follow(position_, move);
    placement_.Follow(position_.Board, move, kings_.Occupied);
    return true;
}

const TChessPosition& TGameReplay::Position() const {
    if (moveTextStale_) {
        position_.MoveText.assign(moveText_);
        moveTextStale_ = false;
    }
    return position_;
}

void TGameReplay::AppendFenLine(std::string& out) const { vorlix::AppendFenLine(out, position_, placement_); }

int CountMoveTokens(const TPGNRec& game, bool whiteFirst, int limit) {
    TMoveTokenizer tokens(game.Moves, game.Result, whiteFirst);
    int count = 0;
    for (TMove move; count <= limit && tokens.Next(move);) ++count;
    return count;
}

}  // namespace vorlix
