#include <gtest/gtest.h>

#include "files/CommentMarks.h"
#include "files/GameMarks.h"

using namespace vorlix;

namespace {
constexpr int Sq(char file, char rank) { return (file - 'a') * 8 + (rank - '1'); }
}  // namespace

TEST(CommentMarks, ReadsArrowsAndSquaresOfSeveralCommands) {
    const TBoardMarks marks = ParseCommentMarks("Best. [%cal Ge2e4,Rd8d1] then [%csl Rd4,Gf5][%cal Bh1a8]");
    EXPECT_EQ(marks.Arrows, (std::vector<TArrowMark>{{Sq('e', '2'), Sq('e', '4'), TMarkColor::Green},
                                                     {Sq('d', '8'), Sq('d', '1'), TMarkColor::Red},
                                                     {Sq('h', '1'), Sq('a', '8'), TMarkColor::Blue}}));
    EXPECT_EQ(marks.Squares, (std::vector<TSquareMark>{{Sq('d', '4'), TMarkColor::Red}, {Sq('f', '5'), TMarkColor::Green}}));
}

TEST(CommentMarks, ToleratesOddSpacingAndSkipsBadItems) {
    const TBoardMarks marks = ParseCommentMarks("[ %csl  Yd4 , Xe5,Ge9, Rh8 ,, Ga1b2 ]  [%cal\tYa1a1, Ga1h8 ,Zb1c3]");
    EXPECT_EQ(marks.Squares, (std::vector<TSquareMark>{{Sq('d', '4'), TMarkColor::Yellow}, {Sq('h', '8'), TMarkColor::Red}}));
    EXPECT_EQ(marks.Arrows, (std::vector<TArrowMark>{{Sq('a', '1'), Sq('h', '8'), TMarkColor::Green}}));
}

TEST(CommentMarks, IgnoresOtherCommandsAndUnclosedOnes) {
    EXPECT_TRUE(ParseCommentMarks("[%clk 0:01:00] [%eval 0.3] [%calx Ge2e4] [%cal Ge2e4").Empty());
    EXPECT_TRUE(ParseCommentMarks("").Empty());
    EXPECT_TRUE(ParseCommentMarks("plain words [not a command]").Empty());
    EXPECT_EQ(ParseCommentMarks("[%clk 0:01:00][%csl Ga1]").Squares.size(), 1u);
}

TEST(BoardMarks, CommandLineArgumentsTakeAnOptionalColour) {
    EXPECT_EQ(ParseArrowArgument("e2e4"), (TArrowMark{Sq('e', '2'), Sq('e', '4'), TMarkColor::Green}));
    EXPECT_EQ(ParseArrowArgument("E2E4:red"), (TArrowMark{Sq('e', '2'), Sq('e', '4'), TMarkColor::Red}));
    EXPECT_EQ(ParseSquareArgument("d4"), (TSquareMark{Sq('d', '4'), TMarkColor::Red}));
    EXPECT_EQ(ParseSquareArgument("d4:B"), (TSquareMark{Sq('d', '4'), TMarkColor::Blue}));
    for (const char* bad : {"e2", "e2e2", "e2e9", "e2e4:", "e2e4:pink", "i1a1"}) EXPECT_FALSE(ParseArrowArgument(bad)) << bad;
    for (const char* bad : {"d", "d9", "d4:X", "d4e4"}) EXPECT_FALSE(ParseSquareArgument(bad)) << bad;
}

TEST(GameMarks, EachCommentMarksThePositionItsMoveReaches) {
    TPGNRec game;
    game.Result = "1-0";
    game.Moves = "{[%csl Ge4]} 1. e4 {[%cal Gd7d5] good} e5 (1... c5 {[%cal Rg1f3]}) "
                 "2. Nf3 {first} {[%csl Rf7][%cal Bf3e5]} 1-0 {[%csl Ya1]}";
    const std::vector<TBoardMarks> marks = ReadGameMarks(game);
    ASSERT_EQ(marks.size(), 4u);  // start and three moves
    EXPECT_EQ(marks[0].Squares, (std::vector<TSquareMark>{{Sq('e', '4'), TMarkColor::Green}}));
    EXPECT_EQ(marks[1].Arrows.size(), 1u);
    EXPECT_TRUE(marks[2].Empty());  // the variation's comment is not the main line's
    EXPECT_EQ(marks[3].Squares.size(), 2u);  // a comment after the result still marks the last position
    EXPECT_EQ(marks[3].Arrows, (std::vector<TArrowMark>{{Sq('f', '3'), Sq('e', '5'), TMarkColor::Blue}}));
    EXPECT_TRUE(MarksAt(marks, 9).Empty());
    EXPECT_TRUE(MarksAt(marks, -1).Empty());
}
