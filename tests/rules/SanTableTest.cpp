// Reading standard algebraic move text: a hand-made table of known positions
// with the piece each text must move or the reason it must be refused, and a
// round trip over every legal move of the perft positions, written with the
// least disambiguation the standard asks for.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "rules/FenReader.h"
#include "rules/MoveNotation.h"
#include "tests/rules/LegalMoves.h"

using namespace vorlix;
using namespace vorlix::oracle;

namespace {

struct TRead {
    bool Ok = false;
    TChessMove Move;
};

// The text as the game replay reads it: decoded, then validated against the
// followed kings; the plain validation must agree.
TRead ReadText(const TChessPosition& pos, const TKingSquares& kings, const std::string& text) {
    TRead read;
    if (!DecodeMove(text, pos.WhiteToMove, read.Move)) return read;
    TChessMove plain = read.Move;
    read.Ok = ValidateMove(pos, kings, read.Move);
    const bool plainOk = ValidateMove(pos, plain);
    EXPECT_EQ(plainOk, read.Ok) << text;
    if (plainOk && read.Ok) {
        EXPECT_EQ(SquareName(plain.FromFile, plain.FromRank), SquareName(read.Move.FromFile, read.Move.FromRank))
            << text;
    }
    return read;
}

struct TTextCase {
    const char* Why;
    const char* Fen;
    const char* Text;
    const char* From;  // the square of the piece that moves; "-" when the text must be refused
    char Promotion = ' ';
    bool EnPassant = false;
};

const TTextCase kTexts[] = {
    // Disambiguation by file, by rank, by both.
    {"two knights reach d7", "7k/8/1N3N2/8/8/8/8/4K3 w - - 0 1", "Nbd7", "b6"},
    {"two knights reach d7", "7k/8/1N3N2/8/8/8/8/4K3 w - - 0 1", "Nfd7", "f6"},
    {"two knights reach d7", "7k/8/1N3N2/8/8/8/8/4K3 w - - 0 1", "Nd7", "-"},
    {"two knights on rank 6", "7k/8/1N3N2/8/8/8/8/4K3 w - - 0 1", "N6d7", "-"},
    {"no knight on that file", "7k/8/1N3N2/8/8/8/8/4K3 w - - 0 1", "Ncd7", "-"},
    {"the whole square", "7k/8/1N3N2/8/8/8/8/4K3 w - - 0 1", "Nb6d7", "b6"},
    {"the whole square, long form", "7k/8/1N3N2/8/8/8/8/4K3 w - - 0 1", "Nf6-d7", "f6"},
    {"only one knight reaches c4", "7k/8/1N3N2/8/8/8/8/4K3 w - - 0 1", "Nc4", "b6"},
    {"two rooks on the e-file", "k7/8/8/8/8/4R3/8/4R1K1 w - - 0 1", "R1e2", "e1"},
    {"two rooks on the e-file", "k7/8/8/8/8/4R3/8/4R1K1 w - - 0 1", "R3e2", "e3"},
    {"two rooks on the e-file", "k7/8/8/8/8/4R3/8/4R1K1 w - - 0 1", "Ree2", "-"},
    {"two rooks on the e-file", "k7/8/8/8/8/4R3/8/4R1K1 w - - 0 1", "Re2", "-"},
    {"the e3 rook alone reaches e4", "k7/8/8/8/8/4R3/8/4R1K1 w - - 0 1", "Re4", "e3"},
    {"three queens reach e1", "1k6/8/8/8/4Q2Q/8/8/K6Q w - - 0 1", "Qh4e1", "h4"},
    {"three queens reach e1", "1k6/8/8/8/4Q2Q/8/8/K6Q w - - 0 1", "Qhe1", "-"},
    {"three queens reach e1", "1k6/8/8/8/4Q2Q/8/8/K6Q w - - 0 1", "Q4e1", "-"},
    {"three queens reach e1", "1k6/8/8/8/4Q2Q/8/8/K6Q w - - 0 1", "Qee1", "e4"},
    {"three queens reach e1", "1k6/8/8/8/4Q2Q/8/8/K6Q w - - 0 1", "Q1e1", "h1"},
    {"three queens reach e1", "1k6/8/8/8/4Q2Q/8/8/K6Q w - - 0 1", "Qe1", "-"},
    {"black knights, file", "r3k3/3n4/8/8/8/8/8/4K1n1 b - - 0 1", "Nf6", "d7"},
    {"only the g1 knight reaches f3", "r3k3/3n4/8/8/8/8/8/4K1n1 b - - 0 1", "Nf3", "g1"},
    // A pinned piece neither moves off its line nor counts as a rival.
    {"the c3 knight is pinned", "4k3/8/8/8/1b6/2N3N1/8/4K3 w - - 0 1", "Ne2", "g3"},
    {"the c3 knight is pinned", "4k3/8/8/8/1b6/2N3N1/8/4K3 w - - 0 1", "Nce2", "-"},
    {"the c3 knight is pinned", "4k3/8/8/8/1b6/2N3N1/8/4K3 w - - 0 1", "Nd5", "-"},
    {"a pinned rook slides along the pin", "4r2k/8/8/8/8/8/4R3/4K3 w - - 0 1", "Re5", "e2"},
    {"a pinned rook takes the pinner", "4r2k/8/8/8/8/8/4R3/4K3 w - - 0 1", "Rxe8+", "e2"},
    {"a pinned rook leaves the pin", "4r2k/8/8/8/8/8/4R3/4K3 w - - 0 1", "Rd2", "-"},
    {"a pawn pinned on the diagonal", "4k3/8/8/1b6/8/3P4/4K3/8 w - - 0 1", "d4", "-"},
    {"the king may not step into check", "4r2k/8/8/8/8/8/8/3K4 w - - 0 1", "Ke1", "-"},
    {"the king may not step into check", "4r2k/8/8/8/8/8/8/3K4 w - - 0 1", "Kc2", "d1"},
    // Castling, with letters and with zeros.
    {"both castlings free", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "O-O", "e1"},
    {"both castlings free", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "O-O-O", "e1"},
    {"both castlings free", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "0-0", "e1"},
    {"both castlings free", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "0-0-0", "e1"},
    {"both castlings free", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "O-O+", "e8"},
    {"both castlings free", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "0-0-0", "e8"},
    {"castling written as a king move", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "Ke1-g1", "e1"},
    {"no right left", "r3k2r/8/8/8/8/8/8/R3K2R w Qkq - 0 1", "O-O", "-"},
    {"no right left", "r3k2r/8/8/8/8/8/8/R3K2R w Kkq - 0 1", "0-0-0", "-"},
    {"the king passes an attacked f1", "5r1k/8/8/8/8/8/8/R3K2R w KQ - 0 1", "O-O", "-"},
    {"the king passes an attacked f1", "5r1k/8/8/8/8/8/8/R3K2R w KQ - 0 1", "O-O-O", "e1"},
    {"the king lands on an attacked g1", "6rk/8/8/8/8/8/8/R3K2R w KQ - 0 1", "O-O", "-"},
    {"the king passes an attacked d1", "3r3k/8/8/8/8/8/8/R3K2R w KQ - 0 1", "O-O-O", "-"},
    {"the king lands on an attacked c1", "2r4k/8/8/8/8/8/8/R3K2R w KQ - 0 1", "O-O-O", "-"},
    {"only the rook passes an attacked b1", "1r5k/8/8/8/8/8/8/R3K2R w KQ - 0 1", "O-O-O", "e1"},
    {"the king stands in check", "4r2k/8/8/8/8/8/8/R3K2R w KQ - 0 1", "O-O", "-"},
    {"the king stands in check", "4r2k/8/8/8/8/8/8/R3K2R w KQ - 0 1", "0-0-0", "-"},
    {"the king stands in check", "4r2k/8/8/8/8/8/8/R3K2R w KQ - 0 1", "Kf1", "e1"},
    {"a piece between king and rook", "r3k2r/8/8/8/8/8/8/RN2K1NR w KQkq - 0 1", "O-O", "-"},
    {"a piece on b1 between king and rook", "r3k2r/8/8/8/8/8/8/RN2K2R w KQkq - 0 1", "O-O-O", "-"},
    {"black through check", "r3k2r/8/8/8/8/8/8/R3KR2 b Qkq - 0 1", "O-O", "-"},
    {"black through check", "r3k2r/8/8/8/8/8/8/R3KR2 b Qkq - 0 1", "O-O-O", "e8"},
    // Promotion, with and without "=", by advance and by capture.
    {"promotion", "3r3k/4P3/8/8/8/8/8/4K3 w - - 0 1", "e8=Q", "e7", 'Q'},
    {"promotion", "3r3k/4P3/8/8/8/8/8/4K3 w - - 0 1", "e8N", "e7", 'N'},
    {"promotion", "3r3k/4P3/8/8/8/8/8/4K3 w - - 0 1", "exd8=N", "e7", 'N'},
    {"promotion", "3r3k/4P3/8/8/8/8/8/4K3 w - - 0 1", "exd8R+", "e7", 'R'},
    {"promotion", "3r3k/4P3/8/8/8/8/8/4K3 w - - 0 1", "dxe8=Q", "-"},
    {"promotion", "3r3k/4P3/8/8/8/8/8/4K3 w - - 0 1", "exf8=Q", "-"},
    {"black promotion", "4k3/8/8/8/8/8/1p6/R3K3 b - - 0 1", "bxa1=Q+", "b2", 'Q'},
    {"black promotion", "4k3/8/8/8/8/8/1p6/R3K3 b - - 0 1", "b1=B", "b2", 'B'},
    // En passant, and the en-passant capture that would bare the king.
    {"en passant", "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "exd6", "e5", ' ', true},
    {"en passant", "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "exd6ep", "e5", ' ', true},
    {"en passant", "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5xd6", "e5", ' ', true},
    {"the chance has passed", "4k3/8/8/3pP3/8/8/8/4K3 w - - 0 1", "exd6", "-"},
    {"en passant opens the rank", "8/8/8/K2pP2r/8/8/8/7k w - d6 0 1", "exd6", "-"},
    {"en passant opens the rank", "8/8/8/K2pP2r/8/8/8/7k w - d6 0 1", "e6", "e5"},
    {"black en passant", "4k3/8/8/8/4Pp2/8/8/4K3 b - e3 0 1", "fxe3", "f4", ' ', true},
    // Pawn advances.
    {"double step", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "e4", "e2"},
    {"double step blocked", "rnbqkbnr/pppppppp/8/8/8/4N3/PPPPPPPP/R1BQKBNR w KQkq - 0 1", "e4", "-"},
    {"a capture needs the mark", "4k3/8/8/8/8/5p2/8/4K1N1 w - - 0 1", "Nf3", "-"},
    {"a capture needs the mark", "4k3/8/8/8/8/5p2/8/4K1N1 w - - 0 1", "Nxf3", "g1"},
};

std::string Promoted(const TChessMove& move) {
    if (!move.Promotion) return " ";
    return {kPieceLetters[move.Promotion > kBlackOffset ? move.Promotion - kBlackOffset : move.Promotion]};
}

int32_t PieceOfLetter(char letter, bool white) {
    for (int32_t code = pcWKing; code <= pcWPawn; ++code)
        if (kPieceLetters[code] == letter) return white ? code : code + kBlackOffset;
    return pcEmpty;
}

// Every way a less specific text could be written: none, file only, rank only.
std::vector<std::string> LessSpecific(const TChessMove& move, const std::string& text) {
    const std::string target = SquareName(move.ToFile, move.ToRank);
    const size_t at = text.find(move.Capture ? "x" + target : target);
    const std::string piece = text.substr(0, 1), given = text.substr(1, at - 1), rest = text.substr(at);
    std::vector<std::string> out;
    if (given.size() == 2) return {piece + rest, piece + given.substr(0, 1) + rest, piece + given.substr(1) + rest};
    if (given.size() == 1) return {piece + rest};
    return out;
}

int RoundTrip(const TChessPosition& pos, const TKingSquares& kings, const std::string& where) {
    const std::vector<TChessMove> legal = LegalMoves(pos, kings);
    for (const TChessMove& move : legal) {
        const std::string text = SanText(move, legal);
        const TRead read = ReadText(pos, kings, text);
        EXPECT_TRUE(read.Ok) << where << ": " << text;
        if (!read.Ok) continue;
        EXPECT_EQ(SquareName(read.Move.FromFile, read.Move.FromRank), SquareName(move.FromFile, move.FromRank))
            << where << ": " << text;
        EXPECT_EQ(read.Move.Promotion, move.Promotion) << where << ": " << text;
        EXPECT_EQ(read.Move.EnPassant, move.EnPassant) << where << ": " << text;
        const int32_t kind = move.Piece > kBlackOffset ? move.Piece - kBlackOffset : move.Piece;
        if (kind == pcWPawn || kind == pcWKing) continue;
        for (const std::string& vague : LessSpecific(move, text))
            EXPECT_FALSE(ReadText(pos, kings, vague).Ok) << where << ": " << vague << " is ambiguous (" << text << ")";
        // The long form names the piece exactly.
        const std::string full = text.substr(0, 1) + SquareName(move.FromFile, move.FromRank) +
                                 (move.Capture ? "x" : "-") + SquareName(move.ToFile, move.ToRank);
        const TRead longRead = ReadText(pos, kings, full);
        EXPECT_TRUE(longRead.Ok && longRead.Move.FromFile == move.FromFile && longRead.Move.FromRank == move.FromRank)
            << where << ": " << full;
    }
    // And the other way: a piece text with no starting square reads exactly
    // when one legal move of that piece goes there.
    for (const char letter : {'K', 'Q', 'R', 'B', 'N'}) {
        const int32_t piece = PieceOfLetter(letter, pos.WhiteToMove);
        for (int to = 0; to < 64; ++to) {
            const TChessMove* only = nullptr;
            int count = 0;
            for (const TChessMove& move : legal) {
                const bool castling = letter == 'K' && std::abs(move.ToFile - move.FromFile) == 2;
                if (move.Piece != piece || SquareIndex(move.ToFile, move.ToRank) != to || castling) continue;
                only = &move;
                ++count;
            }
            const bool capture = pos.Board[to] != pcEmpty;
            const std::string text =
                std::string(1, letter) + (capture ? "x" : "") + SquareName(SquareFile(to), SquareRank(to));
            const TRead read = ReadText(pos, kings, text);
            EXPECT_EQ(read.Ok, count == 1) << where << ": " << text;
            if (read.Ok && only) {
                EXPECT_EQ(SquareName(read.Move.FromFile, read.Move.FromRank),
                          SquareName(only->FromFile, only->FromRank))
                    << where << ": " << text;
            }
        }
    }
    return static_cast<int>(legal.size());
}

}  // namespace

TEST(SanTable, KnownTextsMoveTheRightPieceOrAreRefused) {
    for (const TTextCase& c : kTexts) {
        TChessPosition pos;
        ASSERT_TRUE(ReadFEN(c.Fen, pos)) << c.Fen;
        TKingSquares kings;
        kings.Find(pos.Board);
        const std::string where = std::string(c.Why) + ": " + c.Text + " in " + c.Fen;
        const TRead read = ReadText(pos, kings, c.Text);
        if (std::string(c.From) == "-") {
            EXPECT_FALSE(read.Ok) << where;
            continue;
        }
        ASSERT_TRUE(read.Ok) << where;
        EXPECT_EQ(SquareName(read.Move.FromFile, read.Move.FromRank), c.From) << where;
        EXPECT_EQ(Promoted(read.Move), std::string(1, c.Promotion)) << where;
        EXPECT_EQ(read.Move.EnPassant, c.EnPassant) << where;
    }
}

// Positions where disambiguation of every kind, pins, promotions and en passant
// all occur, and their successors.
TEST(SanTable, EveryLegalMoveReadsBackFromItsStandardText) {
    const char* const kFens[] = {
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
        "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
        "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
        "1k6/8/8/8/4Q2Q/8/8/K6Q w - - 0 1",
        "7k/8/1N3N2/8/1N3N2/8/8/K7 w - - 0 1",  // four knights reach d5
        "3k4/R6R/8/8/8/8/R6R/K7 w - - 0 1",     // four rooks
        "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1",
        "n1n1k3/1P6/8/8/8/8/8/4K3 w - - 0 1",  // promotions with capture both ways
    };
    int moves = 0;
    for (const char* fen : kFens) {
        TChessPosition pos;
        ASSERT_TRUE(ReadFEN(fen, pos)) << fen;
        TKingSquares kings;
        kings.Find(pos.Board);
        moves += RoundTrip(pos, kings, fen);
        for (const TChessMove& move : LegalMoves(pos, kings)) {
            TChessPosition next = pos;
            TKingSquares nextKings = kings;
            PlayAsText(next, nextKings, move);
            moves += RoundTrip(next, nextKings, std::string(fen) + " after " + SanText(move, LegalMoves(pos, kings)));
        }
    }
    EXPECT_GT(moves, 4000);
}
