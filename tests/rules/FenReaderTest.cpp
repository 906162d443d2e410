#include <gtest/gtest.h>

#include "rules/FenReader.h"
#include "rules/Placement.h"

using namespace vorlix;

TEST(FenReader, StartPositionMatchesTheRecord) {
    TChessPosition read, start;
    SetStartPosition(start);
    ASSERT_TRUE(ReadFEN("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", read));
    for (int i = 0; i < 64; ++i) EXPECT_EQ(read.Board[i], start.Board[i]) << i;
    EXPECT_EQ(read.MoveNumber, 0);
    EXPECT_TRUE(read.WhiteToMove);
    EXPECT_TRUE(read.CastleWhiteShort && read.CastleWhiteLong && read.CastleBlackShort && read.CastleBlackLong);
    EXPECT_FALSE(read.EpPossible);
    EXPECT_EQ(read.EpFile, -1);
}

TEST(FenReader, BlackToMoveKeepsTheFullMoveNumber) {
    TChessPosition p;
    ASSERT_TRUE(ReadFEN("r1bqk1nr/pppp1ppp/2n5/4p3/1bB1P3/2P2N2/P2P1PPP/RNBQK2R b Kq e3 7 12", p));
    EXPECT_FALSE(p.WhiteToMove);
    EXPECT_EQ(p.MoveNumber, 12);
    EXPECT_EQ(p.HalfMoveClock, 7);
    EXPECT_TRUE(p.CastleWhiteShort);
    EXPECT_FALSE(p.CastleWhiteLong);
    EXPECT_FALSE(p.CastleBlackShort);
    EXPECT_TRUE(p.CastleBlackLong);
    EXPECT_TRUE(p.EpPossible);
    EXPECT_EQ(p.EpFile, 4);
    EXPECT_EQ(p.EpRank, 2);
}

TEST(FenReader, ComputesCheckFlags) {
    TChessPosition p;
    ASSERT_TRUE(ReadFEN("4k3/8/8/8/8/8/8/R3K2r w - - 0 1", p));
    EXPECT_TRUE(p.WhiteInCheck);
    EXPECT_FALSE(p.BlackInCheck);
}

TEST(FenReader, RejectsBrokenTextAndKeepsThePosition) {
    TChessPosition p;
    SetStartPosition(p);
    p.MoveNumber = 33;
    for (const char* bad :
         {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",       // no counters
          "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0",     // one counter
          "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - x 1",   // not a number
          "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBN w KQkq - 0 1",    // short rank
          "rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",   // bad digit
          "rnbqkbnr/ppppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",  // rank past h
          "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP w KQkq - 0 1",            // too few ranks
          "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR x KQkq - 0 1",   // side
          "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQxq - 0 1",   // castling
          "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq e9 0 1",  // en passant
          "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR",                // placement only
          "8/8/8/8/8/8/8/K1k5 w - - 0 -2147483648",                     // counters out of range
          "8/8/8/8/8/8/8/K1k5 w - - -1 1", "8/8/8/8/8/8/8/K1k5 w - - 0 2147483647",
          "8/8/8/8/8/8/8/K1k5 b - - 1000001 1", "8/8/8/8/8/8/8/K1k5 b - - 0 99999999999999999999", ""}) {
        EXPECT_FALSE(ReadFEN(bad, p)) << bad;
    }
    EXPECT_EQ(p.MoveNumber, 33);
    EXPECT_EQ(p.Board[SquareIndex(4, 0)], pcWKing);
    ASSERT_TRUE(ReadFEN("8/8/8/8/8/8/8/K1k5 b - - 1000000 1000000", p));
    EXPECT_EQ(p.MoveNumber, 1000000);
    EXPECT_EQ(p.HalfMoveClock, 1000000);
}

TEST(Placement, WritesMarksAsEmptyAndMergesRuns) {
    int32_t board[64] = {};
    board[SquareIndex(4, 3)] = 13;  // a board mark on e4
    EXPECT_EQ(PlacementText(board), "8/8/8/8/8/8/8/8");
    board[SquareIndex(0, 0)] = pcWRook;
    board[SquareIndex(7, 7)] = pcBKing;
    EXPECT_EQ(PlacementText(board), "7k/8/8/8/8/8/8/R7");
    uint8_t small[64] = {};
    small[SquareIndex(3, 3)] = pcBQueen;
    EXPECT_EQ(PlacementText(small), "8/8/8/8/3q4/8/8/8");
}

TEST(Placement, DistinguishesBadCharactersFromBadLayout) {
    int32_t board[64];
    size_t i = 0;
    EXPECT_EQ(ParsePlacement("8/8/8/8/8/8/8/8 w", i, board), TPlacementResult::Ok);
    EXPECT_EQ(i, 15u);
    i = 0;
    EXPECT_EQ(ParsePlacement("8/8/8/8/x/8/8/8 w", i, board), TPlacementResult::BadCharacter);
    i = 0;
    EXPECT_EQ(ParsePlacement("8/8/8/8/7/8/8/8 w", i, board), TPlacementResult::BadLayout);
    i = 0;
    EXPECT_EQ(ParsePlacement("8/8/8/8/8/8/8/8/ w", i, board), TPlacementResult::BadLayout);
}
