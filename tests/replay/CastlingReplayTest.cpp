// Castling in whole games as the game replay reads them: rights lost by king
// and rook moves and by a captured rook, castling out of, through and into
// check, and the check taken from the "+" of the move before.
#include <gtest/gtest.h>

#include <string>

#include "files/Exceptions.h"
#include "files/GameReplay.h"

using namespace vorlix;

namespace {

struct TGameCase {
    const char* Why;
    const char* Fen;  // empty: the standard start
    const char* Moves;
    const char* Stops;  // the move text the replay must refuse ("" when the game plays through)
};

const TGameCase kGames[] = {
    {"castling both ways", "r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1", "1. O-O O-O-O 2. Rfe1 Rde8", ""},
    {"castling with zeros", "r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1", "1. 0-0-0 0-0", ""},
    {"the king went and came back", "r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1",
     "1. Kf1 Kf8 2. Ke1 Ke8 3. O-O", "O-O"},
    {"the king went and came back, queen-side", "r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1",
     "1. Kd1 O-O 2. Ke1 Kh8 3. O-O-O", "O-O-O"},
    {"the h-rook went and came back", "r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1",
     "1. Rg1 Rg8 2. Rh1 Rh8 3. O-O-O O-O", "O-O"},
    {"the a-rook went and came back", "r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1",
     "1. Rb1 Rb8 2. Ra1 Ra8 3. O-O O-O-O", "O-O-O"},
    {"a rook coming to h8 after the h8 rook was taken", "r3k2r/8/6N1/8/8/8/2K5/8 b kq - 0 1",
     "1... Rb8 2. Nxh8 Rb7 3. Ng6 Rh7 4. Nf4 Rh8 5. Kd3 O-O", "O-O"},
    {"through check", "r3k2r/8/8/8/8/8/8/R3KR2 b Qkq - 0 1", "1... O-O", "O-O"},
    {"through check, the other way free", "r3k2r/8/8/8/8/8/8/R3KR2 b Qkq - 0 1", "1... O-O-O 2. Ke2", ""},
    {"into check", "r3k2r/8/8/8/8/8/8/R3K1R1 b Qkq - 0 1", "1... O-O", "O-O"},
    {"out of a check the text marks", "r3k2r/8/8/8/4N3/8/8/R3K2R w KQkq - 0 1", "1. Nd6+ O-O", "O-O"},
    {"out of a check the text marks, king steps", "r3k2r/8/8/8/4N3/8/8/R3K2R w KQkq - 0 1", "1. Nd6+ Kf8 2. O-O", ""},
    {"into check", "4k3/8/8/8/8/8/6r1/R3K2R w KQ - 0 1", "1. O-O", "O-O"},
};
// The text of the move the replay refused, "" when every move was made.
std::string Replay(const TGameCase& c) {
    TPGNRec game;
    game.Result = "*";
    game.Moves = std::string(c.Moves) + " * ";
    if (*c.Fen) {
        game.HasSetup = true;
        game.FEN = c.Fen;
    }
    TGameReplay replay(game);
    try {
        while (replay.Step()) {
        }
    } catch (const EIllegalMoveData& e) {
        const std::string message = e.what();
        return message.substr(message.rfind(' ') + 1);
    }
    return "";
}

}  // namespace

TEST(CastlingReplay, RightsAndChecksDecideCastlingInGames) {
    for (const TGameCase& c : kGames) EXPECT_EQ(Replay(c), c.Stops) << c.Why << ": " << c.Moves;
}

// The castling rule follows the check mark of the text, not the board: a game
// that leaves out the "+" castles out of check. Kept on purpose for files whose
// games are known to be legal; this pins it.
TEST(CastlingReplay, CheckWithoutItsMarkDoesNotStopCastling) {
    const TGameCase castles = {"", "r3k2r/8/8/8/4N3/8/8/R3K2R w KQkq - 0 1", "1. Nd6 O-O 2. Nb7", ""};
    EXPECT_EQ(Replay(castles), "");
}
