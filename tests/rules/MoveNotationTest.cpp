#include <gtest/gtest.h>

#include <string>

#include "rules/FenReader.h"
#include "rules/MoveNotation.h"
#include "rules/MoveRules.h"

using namespace vorlix;

namespace {
TChessMove Decode(const char* text, bool white = true) {
    TChessMove m;
    EXPECT_TRUE(DecodeMove(text, white, m)) << text;
    return m;
}
}  // namespace

TEST(MoveNotation, PieceMoveWithCheckMark) {
    const TChessMove m = Decode("Nf3+");
    EXPECT_EQ(m.Piece, pcWKnight);
    EXPECT_EQ(m.ToFile, 5);
    EXPECT_EQ(m.ToRank, 2);
    EXPECT_EQ(m.CheckMark, '+');
    EXPECT_EQ(m.FromFile, -1);
    EXPECT_EQ(m.FromRank, -1);
    EXPECT_FALSE(m.Capture);
}

TEST(MoveNotation, PromotionWithAndWithoutEquals) {
    for (const char* text : {"exd8=Q#", "exd8Q"}) {
        const TChessMove w = Decode(text, true);
        EXPECT_EQ(w.Piece, pcWPawn) << text;
        EXPECT_TRUE(w.Capture);
        EXPECT_EQ(w.FromFile, 4);
        EXPECT_EQ(w.ToFile, 3);
        EXPECT_EQ(w.ToRank, 7);
        EXPECT_EQ(w.Promotion, pcWQueen);
        EXPECT_EQ(Decode(text, false).Promotion, pcBQueen);
    }
    EXPECT_EQ(Decode("exd8=Q#").CheckMark, '#');
    EXPECT_EQ(Decode("b1=N", false).Promotion, pcBKnight);
    TChessMove m;
    EXPECT_FALSE(DecodeMove("e8=K", true, m));
    EXPECT_FALSE(DecodeMove("e8=", true, m));
}

TEST(MoveNotation, PartialAndFullStartingSquares) {
    EXPECT_EQ(Decode("Nbd7").FromFile, 1);
    EXPECT_EQ(Decode("Nbd7").FromRank, -1);
    EXPECT_EQ(Decode("R1e2").FromRank, 0);
    EXPECT_EQ(Decode("R1e2").FromFile, -1);
    for (const char* text : {"e2-e4", "e2e4"}) {
        const TChessMove m = Decode(text);
        EXPECT_EQ(m.FromFile, 4);
        EXPECT_EQ(m.FromRank, 1);
        EXPECT_EQ(m.ToRank, 3);
    }
    const TChessMove n = Decode("Ng1-f3");
    EXPECT_EQ(n.FromFile, 6);
    EXPECT_EQ(n.FromRank, 0);
}

TEST(MoveNotation, SuffixesAndAnnotations) {
    const TChessMove ep = Decode("exd6ep");
    EXPECT_TRUE(ep.Capture);
    EXPECT_EQ(ep.FromFile, 4);
    EXPECT_EQ(ep.ToFile, 3);
    EXPECT_EQ(ep.ToRank, 5);
    EXPECT_FALSE(ep.EnPassant);
    const TChessMove a = Decode("Nf3!?");
    EXPECT_EQ(a.Piece, pcWKnight);
    EXPECT_EQ(a.ToFile, 5);
    EXPECT_EQ(Decode("Qh4+#").CheckMark, '#');
}

TEST(MoveNotation, CastlingWithLettersOrZeros) {
    for (const char* text : {"O-O", "0-0"}) {
        const TChessMove s = Decode(text);
        EXPECT_EQ(s.Piece, pcWKing) << text;
        EXPECT_EQ(s.FromFile, 4) << text;
        EXPECT_EQ(s.FromRank, 0) << text;
        EXPECT_EQ(s.ToFile, 6) << text;
        EXPECT_EQ(s.ToRank, 0) << text;
        EXPECT_FALSE(s.Capture) << text;
    }
    for (const char* text : {"O-O-O+", "0-0-0+"}) {
        const TChessMove l = Decode(text, false);
        EXPECT_EQ(l.Piece, pcBKing) << text;
        EXPECT_EQ(l.FromRank, 7) << text;
        EXPECT_EQ(l.ToFile, 2) << text;
        EXPECT_EQ(l.ToRank, 7) << text;
        EXPECT_EQ(l.CheckMark, '+') << text;
    }
    EXPECT_EQ(Decode("0-0#", false).CheckMark, '#');
    EXPECT_EQ(Decode("0-0-0!?").ToFile, 2);
}

TEST(MoveNotation, RejectsWhatIsNotAMove) {
    TChessMove m;
    for (const char* text : {"0-0-0-0", "0-O", "00", "0", "nf3", "Nb1d2c3", "", "N", "Nz3", "e9", "Nxf", "1-0", "*"})
        EXPECT_FALSE(DecodeMove(text, true, m)) << text;
}

// Writing moves: each row is a position, a move given by its squares, and the
// text one notation must give it; the English text is checked beside it.
namespace {

struct TWriteCase {
    const char* Why;
    const char* Fen;
    const char* Move;  // from and to square, and the promotion letter if any
    const char* English;
    TNotation Other;
    const char* OtherText;
};

const TWriteCase kWrites[] = {
    {"two knights reach d2: the file tells them apart", "4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1", "b1d2", "Nbd2",
     TNotation::Dutch, "Pbd2"},
    {"two rooks on one file: the rank tells them apart", "4k3/8/8/R7/8/8/8/R3K3 w - - 0 1", "a5a3", "R5a3",
     TNotation::German, "T5a3"},
    {"three queens: only file and rank name the one", "4k3/8/8/8/8/Q7/8/Q1Q1K3 w - - 0 1", "a1b2", "Qa1b2",
     TNotation::French, "Da1b2"},
    {"a pinned knight cannot go, so no letter", "4k3/8/8/b7/8/8/3N4/4K1N1 w - - 0 1", "g1f3", "Nf3", TNotation::Spanish,
     "Cf3"},
    {"en passant is a pawn capture", "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6", "exd6", TNotation::German, "exd6"},
    {"an underpromotion that gives check", "8/2P1k3/8/8/8/8/8/4K3 w - - 0 1", "c7c8N", "c8=N+", TNotation::German,
     "c8=S+"},
    {"the same as figurines", "8/2P1k3/8/8/8/8/8/4K3 w - - 0 1", "c7c8N", "c8=N+", TNotation::Figurine,
     "c8=\xE2\x99\x98+"},
    {"a capture that promotes", "3r1k2/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7d8Q", "exd8=Q+", TNotation::Italian, "exd8=D+"},
    {"castling long gives check with the rook", "3k4/8/8/8/8/8/8/R3K3 w Q - 0 1", "e1c1", "O-O-O+", TNotation::French,
     "O-O-O+"},
    {"castling short", "4k3/8/8/8/8/8/8/4K2R w K - 0 1", "e1g1", "O-O", TNotation::Figurine, "O-O"},
    {"back-rank mate", "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "a1a8", "Ra8#", TNotation::French, "Ta8#"},
    {"a check a knight can block is no mate", "7k/6pp/4n3/8/8/8/8/R5K1 w - - 0 1", "a1a8", "Ra8+", TNotation::Italian,
     "Ta8+"},
    {"a check the king walks out of is no mate", "7k/6p1/8/8/8/8/8/R5K1 w - - 0 1", "a1a8", "Ra8+", TNotation::Figurine,
     "\xE2\x99\x96"
     "a8+"},
    {"a bishop's check", "4k3/8/8/8/8/8/8/4KB2 w - - 0 1", "f1b5", "Bb5+", TNotation::Spanish, "Ab5+"},
    {"stalemate has no sign", "7k/8/6Q1/8/8/8/8/K7 w - - 0 1", "g6f7", "Qf7", TNotation::German, "Df7"},
    {"black mates on the back rank", "6k1/8/8/8/8/8/3r2PP/7K b - - 0 1", "d2d1", "Rd1#", TNotation::Spanish, "Td1#"},
    {"a king move", "4k3/8/8/8/8/8/8/4K3 b - - 0 1", "e8d7", "Kd7", TNotation::Italian, "Rd7"},
};

TChessMove MoveOf(const TChessPosition& pos, const std::string& text) {
    TChessMove move;
    move.FromFile = text[0] - 'a';
    move.FromRank = text[1] - '1';
    move.ToFile = text[2] - 'a';
    move.ToRank = text[3] - '1';
    move.Piece = pos.Board[SquareIndex(move.FromFile, move.FromRank)];
    const bool pawn = move.Piece == pcWPawn || move.Piece == pcBPawn;
    move.Capture =
        pos.Board[SquareIndex(move.ToFile, move.ToRank)] != pcEmpty || (pawn && move.FromFile != move.ToFile);
    if (text.size() > 4) {
        TChessMove promoted;
        DecodeMove(std::string("a8=") + text[4], pos.WhiteToMove, promoted);
        move.Promotion = promoted.Promotion;
    }
    return move;
}

}  // namespace

TEST(MoveNotation, WritesTheLeastThatNamesTheMoveWithCheckAndMate) {
    for (const TWriteCase& c : kWrites) {
        TChessPosition pos;
        ASSERT_TRUE(ReadFEN(c.Fen, pos)) << c.Why;
        TChessMove move = MoveOf(pos, c.Move);
        ASSERT_TRUE(ValidateMove(pos, move)) << c.Why;
        EXPECT_EQ(MoveToText(pos, move, TNotation::English), c.English) << c.Why;
        EXPECT_EQ(MoveToText(pos, move, TNotation::AsWritten), c.English) << c.Why;
        EXPECT_EQ(MoveToText(pos, move, c.Other), c.OtherText) << c.Why;
        // What is written reads back as the same move.
        TChessMove again;
        ASSERT_TRUE(DecodeMove(c.English, pos.WhiteToMove, again)) << c.Why;
        ASSERT_TRUE(ValidateMove(pos, again)) << c.Why;
        EXPECT_EQ(again.FromFile * 8 + again.FromRank, move.FromFile * 8 + move.FromRank) << c.Why;
    }
}

TEST(MoveNotation, KeysOfTheCommandLine) {
    for (int i = 0; i < kNotationCount; ++i) {
        TNotation n = TNotation::AsWritten;
        EXPECT_TRUE(NotationFromKey(kNotationKeys[i], n));
        EXPECT_EQ(static_cast<int>(n), i);
    }
    TNotation n = TNotation::AsWritten;
    EXPECT_TRUE(NotationFromKey("en", n));
    EXPECT_EQ(n, TNotation::English);
    EXPECT_FALSE(NotationFromKey("klingon", n));
    EXPECT_FALSE(NotationFromKey("", n));
}
