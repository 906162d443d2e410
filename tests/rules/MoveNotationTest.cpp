#include <gtest/gtest.h>

#include "rules/MoveNotation.h"

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
