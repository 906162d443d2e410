#include <gtest/gtest.h>

#include "files/CommentMarks.h"

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
