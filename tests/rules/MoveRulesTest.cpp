#include <gtest/gtest.h>

#include "rules/FenReader.h"
#include "rules/MoveNotation.h"
#include "rules/MoveRules.h"

using namespace vorlix;

namespace {

TChessPosition Fen(const char* text) {
    TChessPosition p;
    EXPECT_TRUE(ReadFEN(text, p)) << text;
    return p;
}

TChessPosition Start() {
    TChessPosition p;
    SetStartPosition(p);
    return p;
}

// Decodes and validates; returns false when either fails.
bool Validate(const TChessPosition& p, const char* text, TChessMove& m) {
    return DecodeMove(text, p.WhiteToMove, m) && ValidateMove(p, m);
}

bool Legal(const TChessPosition& p, const char* text) {
    TChessMove m;
    return Validate(p, text, m);
}

TChessPosition Play(const TChessPosition& p, const char* text) {
    TChessMove m;
    EXPECT_TRUE(Validate(p, text, m)) << text;
    TChessPosition next;
    MakeMove(p, next, m);
    return next;
}

int32_t At(const TChessPosition& p, const char* square) {
    return p.Board[SquareIndex(square[0] - 'a', square[1] - '1')];
}

}  // namespace

TEST(MoveRules, KnightFindsItsSquare) {
    TChessMove m;
    ASSERT_TRUE(Validate(Start(), "Nf3", m));
    EXPECT_EQ(m.FromFile, 6);
    EXPECT_EQ(m.FromRank, 0);
    ASSERT_TRUE(Validate(Start(), "Nc3", m));
    EXPECT_EQ(m.FromFile, 1);
}

TEST(MoveRules, AmbiguousKnightNeedsDisambiguation) {
    const TChessPosition p = Fen("4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1");
    TChessMove m;
    ASSERT_TRUE(Validate(p, "Nbd2", m));
    EXPECT_EQ(m.FromFile, 1);
    EXPECT_EQ(m.FromRank, 0);
    EXPECT_FALSE(Legal(p, "Nd2"));
    EXPECT_FALSE(Legal(p, "Ncd2"));
}

TEST(MoveRules, PinnedPieceIsNotACandidate) {
    // Both knights reach e2, but the c3 knight is pinned by the b4 bishop.
    const TChessPosition p = Fen("4k3/8/8/8/1b6/2N3N1/8/4K3 w - - 0 1");
    TChessMove m;
    ASSERT_TRUE(Validate(p, "Ne2", m));
    EXPECT_EQ(m.FromFile, 6);
    EXPECT_EQ(m.FromRank, 2);
}

TEST(MoveRules, TargetTestNeedsMatchingCaptureMark) {
    const TChessPosition p = Fen("4k3/8/8/8/8/5p2/8/4K1N1 w - - 0 1");
    EXPECT_FALSE(Legal(p, "Nf3"));
    EXPECT_TRUE(Legal(p, "Nxf3"));
    EXPECT_FALSE(Legal(p, "Nxe2"));
}

TEST(MoveRules, SlidersNeedAClearPath) {
    const TChessPosition p = Start();
    EXPECT_FALSE(Legal(p, "Bc4"));
    EXPECT_FALSE(Legal(p, "Ra3"));
    EXPECT_FALSE(Legal(p, "Qd3"));
    const TChessPosition q = Fen("4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1");
    TChessMove m;
    ASSERT_TRUE(Validate(q, "Rad1", m));
    EXPECT_EQ(m.FromFile, 0);
    ASSERT_TRUE(Validate(q, "Rf1", m));  // the a1 rook is blocked by the king
    EXPECT_EQ(m.FromFile, 7);
}

TEST(MoveRules, PawnAdvancesAndDoubleStep) {
    TChessMove m;
    ASSERT_TRUE(Validate(Start(), "e4", m));
    EXPECT_EQ(m.FromRank, 1);
    const TChessPosition blocked = Fen("rnbqkbnr/pppppppp/8/8/8/4N3/PPPPPPPP/R1BQKBNR w KQkq - 0 1");
    EXPECT_FALSE(Legal(blocked, "e4"));
    EXPECT_FALSE(Legal(Start(), "e5"));
    EXPECT_FALSE(Legal(Start(), "e2e3x"));
    EXPECT_FALSE(Legal(Start(), "d2e3"));
}

TEST(MoveRules, EnPassantAfterDoubleStep) {
    const TChessPosition before = Fen("4k3/8/8/8/3p4/8/4P3/4K3 w - - 0 1");
    const TChessPosition after = Play(before, "e4");
    EXPECT_TRUE(after.EpPossible);
    EXPECT_EQ(after.EpFile, 4);
    EXPECT_EQ(after.EpRank, 2);
    EXPECT_EQ(after.HalfMoveClock, 0);
    TChessMove m;
    ASSERT_TRUE(Validate(after, "dxe3", m));
    EXPECT_TRUE(m.EnPassant);
    TChessPosition taken;
    MakeMove(after, taken, m);
    EXPECT_EQ(At(taken, "e3"), pcBPawn);
    EXPECT_EQ(At(taken, "e4"), pcEmpty);
    EXPECT_EQ(At(taken, "d4"), pcEmpty);
    // One move later the chance is gone.
    const TChessPosition later = Play(Play(after, "Kd7"), "Kf2");
    EXPECT_FALSE(later.EpPossible);
    EXPECT_FALSE(Legal(later, "dxe3"));
}

TEST(MoveRules, PawnCapturesNeverTakeAKing) {
    EXPECT_FALSE(Legal(Fen("8/8/8/8/8/3k4/4P3/4K3 w - - 0 1"), "exd3"));
    EXPECT_FALSE(Legal(Fen("4k3/8/8/8/8/8/3p4/4K3 b - - 0 1"), "dxe1"));
}

TEST(MoveRules, PromotionWithAndWithoutPiece) {
    const TChessPosition p = Fen("3r3k/4P3/8/8/8/8/8/4K3 w - - 0 1");
    EXPECT_EQ(At(Play(p, "exd8=Q+"), "d8"), pcWQueen);
    EXPECT_EQ(At(Play(p, "e8N"), "e8"), pcWKnight);
    EXPECT_EQ(At(Play(p, "e8"), "e8"), pcWPawn);  // not enforced
    const TChessPosition b = Fen("4k3/8/8/8/8/8/p7/4K3 b - - 0 1");
    EXPECT_EQ(At(Play(b, "a1=R"), "a1"), pcBRook);
}

TEST(MoveRules, CastlingConditions) {
    const char* base = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
    const TChessPosition p = Fen(base);
    const TChessPosition castled = Play(p, "O-O");
    EXPECT_EQ(At(castled, "g1"), pcWKing);
    EXPECT_EQ(At(castled, "f1"), pcWRook);
    EXPECT_EQ(At(castled, "h1"), pcEmpty);
    EXPECT_FALSE(castled.CastleWhiteShort || castled.CastleWhiteLong);
    EXPECT_TRUE(castled.CastleBlackShort && castled.CastleBlackLong);
    const TChessPosition castledLong = Play(castled, "O-O-O");
    EXPECT_EQ(At(castledLong, "c8"), pcBKing);
    EXPECT_EQ(At(castledLong, "d8"), pcBRook);

    TChessPosition inCheck = p;
    inCheck.WhiteInCheck = true;
    EXPECT_FALSE(Legal(inCheck, "O-O"));
    EXPECT_FALSE(Legal(Fen("r3kr2/8/8/8/8/8/8/R3K2R w KQq - 0 1"), "O-O"));   // f1 attacked
    EXPECT_FALSE(Legal(Fen("r3k1r1/8/8/8/8/8/8/R3K2R w KQq - 0 1"), "O-O"));  // g1 attacked
    EXPECT_TRUE(Legal(Fen("r3k2r/8/8/8/8/8/8/R3K2R w Qkq - 0 1"), "O-O-O"));
    EXPECT_FALSE(Legal(Fen("r3k2r/8/8/8/8/8/8/R3K2R w Qkq - 0 1"), "O-O"));  // right gone
    EXPECT_FALSE(Legal(Fen("r3k2r/8/8/8/8/8/8/RN2K2R w KQkq - 0 1"), "O-O-O"));
    const TChessPosition moved = Play(Play(Play(Play(p, "Kf1"), "Kd8"), "Ke1"), "Ke8");
    EXPECT_FALSE(Legal(moved, "O-O"));
}

TEST(MoveRules, RookMoveClearsOnlyItsRight) {
    const TChessPosition p = Play(Fen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1"), "Rh2");
    EXPECT_FALSE(p.CastleWhiteShort);
    EXPECT_TRUE(p.CastleWhiteLong);
    EXPECT_TRUE(p.CastleBlackShort && p.CastleBlackLong);
}

TEST(MoveRules, CapturedCornerRookLosesItsRight) {
    const TChessPosition p = Play(Fen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1"), "Rxh8+");
    EXPECT_FALSE(p.CastleBlackShort);
    EXPECT_TRUE(p.CastleBlackLong);
    EXPECT_FALSE(p.CastleWhiteShort);  // the rook left h1 as well
    // A second rook reaching the empty corner does not bring the right back.
    const TChessPosition q = Play(Play(Fen("4k2r/8/8/8/8/8/7R/4K2R w Kk - 0 1"), "Rxh8+"), "Kd7");
    EXPECT_FALSE(q.CastleBlackShort);
}

TEST(MoveRules, KingMayNotWalkIntoCheck) {
    const TChessPosition p = Fen("4k3/8/8/8/8/8/3r4/4K3 w - - 0 1");
    EXPECT_FALSE(Legal(p, "Kd1"));
    EXPECT_TRUE(Legal(p, "Kxd2"));
    EXPECT_TRUE(Legal(p, "Kf1"));
}

TEST(MoveRules, MakeMoveCountersAndCheckMarks) {
    const TChessPosition a = Play(Start(), "Nf3+");  // the mark is trusted, not checked
    EXPECT_TRUE(a.BlackInCheck);
    EXPECT_FALSE(a.WhiteInCheck);
    EXPECT_FALSE(a.WhiteToMove);
    EXPECT_EQ(a.MoveNumber, 1);
    EXPECT_EQ(a.HalfMoveClock, 1);
    const TChessPosition b = Play(a, "Nf6");
    EXPECT_FALSE(b.BlackInCheck);
    EXPECT_EQ(b.MoveNumber, 1);
    EXPECT_EQ(b.HalfMoveClock, 2);
    EXPECT_EQ(Play(b, "e3").HalfMoveClock, 0);
    EXPECT_FALSE(Play(b, "e3").EpPossible);
    // A capture by a piece resets the clock as well; castling does not.
    const TChessPosition q = Fen("r3k3/8/8/8/8/8/8/R3K2R w KQq - 12 40");
    EXPECT_EQ(Play(q, "Rxa8+").HalfMoveClock, 0);
    EXPECT_EQ(Play(q, "0-0").HalfMoveClock, 13);
    EXPECT_EQ(Play(Play(q, "Rh2"), "Rxa1").HalfMoveClock, 0);
}

TEST(MoveRules, AttackTest) {
    EXPECT_TRUE(IsKingAttacked(Fen("4k3/8/8/8/8/8/3p4/4K3 w - - 0 1"), true));    // pawn
    EXPECT_FALSE(IsKingAttacked(Fen("4k3/8/8/8/8/8/4p3/4K3 w - - 0 1"), true));   // pawn in front
    EXPECT_TRUE(IsKingAttacked(Fen("4k3/8/8/8/8/3n4/8/4K3 w - - 0 1"), true));    // knight
    EXPECT_TRUE(IsKingAttacked(Fen("4k3/8/8/b7/8/8/8/4K3 w - - 0 1"), true));     // bishop
    EXPECT_FALSE(IsKingAttacked(Fen("4k3/8/8/b7/8/2P5/8/4K3 w - - 0 1"), true));  // blocked
    EXPECT_TRUE(IsKingAttacked(Fen("4q3/8/8/8/8/8/8/4K2k w - - 0 1"), true));     // queen on file
    EXPECT_TRUE(IsKingAttacked(Fen("4k3/8/8/8/8/8/8/r3K3 w - - 0 1"), true));     // rook on rank
    EXPECT_TRUE(IsKingAttacked(Fen("4k3/3P4/8/8/8/8/8/4K3 b - - 0 1"), false));   // white pawn below
    EXPECT_FALSE(IsKingAttacked(Fen("8/8/8/8/8/8/8/8 w - - 0 1"), true));         // no king
}

TEST(MoveRules, StartingSquaresOffTheBoardFailQuietly) {
    TChessPosition p;
    SetStartPosition(p);
    TChessMove pawn{pcWPawn, true, 0, false, ' ', 8, -1, 7, 2};
    EXPECT_FALSE(ValidateMove(p, pawn));
    TChessMove knight{pcWKnight, false, 0, false, ' ', 9, 9, 5, 2};
    EXPECT_FALSE(ValidateMove(p, knight));  // a given square without a knight fails at once
}
