#include <gtest/gtest.h>

#include "rules/ChessPosition.h"

using namespace vorlix;

TEST(ChessPosition, SquareIndexIsFileMajor) {
    EXPECT_EQ(SquareIndex(4, 0), 32);  // e1
    EXPECT_EQ(SquareIndex(4, 7), 39);  // e8
    EXPECT_EQ(SquareIndex(7, 0), 56);  // h1
    EXPECT_EQ(SquareIndex(7, 7), 63);  // h8
}

TEST(ChessPosition, StartPosition) {
    TChessPosition p;
    SetStartPosition(p);
    EXPECT_EQ(p.Board[SquareIndex(3, 0)], pcWQueen);
    EXPECT_EQ(p.Board[SquareIndex(4, 7)], pcBKing);
    EXPECT_EQ(p.Board[SquareIndex(0, 6)], pcBPawn);
    EXPECT_EQ(p.Board[SquareIndex(4, 4)], pcEmpty);
    EXPECT_EQ(p.MoveText, "-");
    EXPECT_EQ(p.MoveNumber, 0);
    EXPECT_TRUE(p.CastleBlackLong);
}
