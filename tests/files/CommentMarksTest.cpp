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
    EXPECT_EQ(marks.Squares,
              (std::vector<TSquareMark>{{Sq('d', '4'), TMarkColor::Red}, {Sq('f', '5'), TMarkColor::Green}}));
}

TEST(CommentMarks, ToleratesOddSpacingAndSkipsBadItems) {
    const TBoardMarks marks = ParseCommentMarks("[ %csl  Yd4 , Xe5,Ge9, Rh8 ,, Ga1b2 ]  [%cal\tYa1a1, Ga1h8 ,Zb1c3]");
    EXPECT_EQ(marks.Squares,
              (std::vector<TSquareMark>{{Sq('d', '4'), TMarkColor::Yellow}, {Sq('h', '8'), TMarkColor::Red}}));
    EXPECT_EQ(marks.Arrows, (std::vector<TArrowMark>{{Sq('a', '1'), Sq('h', '8'), TMarkColor::Green}}));
}

TEST(CommentMarks, IgnoresOtherCommandsAndUnclosedOnes) {
    EXPECT_TRUE(ParseCommentMarks("[%clk 0:01:00] [%eval 0.3] [%calx Ge2e4] [%cal Ge2e4").Empty());
    EXPECT_TRUE(ParseCommentMarks("").Empty());
    EXPECT_TRUE(ParseCommentMarks("plain words [not a command]").Empty());
    EXPECT_EQ(ParseCommentMarks("[%clk 0:01:00][%csl Ga1]").Squares.size(), 1u);
}

// A mark given again keeps its place and takes its latest colour; however
// many arrows a comment holds, a position shows at most the bound.
TEST(CommentMarks, RepeatsKeepTheirPlaceAndArrowsAreBounded) {
    struct TCase {
        std::string Comment;
        std::vector<TArrowMark> Arrows;
        std::vector<TSquareMark> Squares;
    };
    const TArrowMark e2e4{Sq('e', '2'), Sq('e', '4'), TMarkColor::Green};
    const TArrowMark d2d4{Sq('d', '2'), Sq('d', '4'), TMarkColor::Green};
    const TCase cases[] = {
        {"[%cal Ge2e4,Ge2e4,Gd2d4,Ge2e4]", {e2e4, d2d4}, {}},
        {"[%cal Ge2e4,Gd2d4,Re2e4]", {{e2e4.From, e2e4.To, TMarkColor::Red}, d2d4}, {}},
        {"[%csl Ga1,Rb2][%csl Ya1]", {}, {{0, TMarkColor::Yellow}, {9, TMarkColor::Red}}},
        {"[%cal Ge4e2,Ge2e4]", {{e2e4.To, e2e4.From, TMarkColor::Green}, e2e4}, {}},  // two ways, two arrows
    };
    for (const TCase& c : cases) {
        const TBoardMarks marks = ParseCommentMarks(c.Comment);
        EXPECT_EQ(marks.Arrows, c.Arrows) << c.Comment;
        EXPECT_EQ(marks.Squares, c.Squares) << c.Comment;
    }

    // Every arrow of the board, each given 50 times: 4,032 different ones, 201,600 in all.
    std::string comment = "[%cal ";
    for (int round = 0; round < 50; ++round)
        for (int from = 0; from < 64; ++from)
            for (int to = 0; to < 64; ++to)
                if (from != to)
                    comment += std::string("G") + char('a' + from / 8) + char('1' + from % 8) + char('a' + to / 8) +
                               char('1' + to % 8) + ",";
    comment += "]";
    const TBoardMarks many = ParseCommentMarks(comment);
    EXPECT_EQ(many.Arrows.size(), TMarkCollector::kMaxArrows);
    EXPECT_EQ(many.Arrows.front(), (TArrowMark{0, 1, TMarkColor::Green}));

    // Two comments before one move add up, with the same rule.
    TPGNRec game;
    game.Moves = "{[%csl Ga1][%cal Ge2e4]} {[%csl Ra1,Gh8][%cal Ge2e4]} 1. e4 *";
    game.Result = "*";
    const std::vector<TBoardMarks> marks = ReadGameMarks(game);
    ASSERT_FALSE(marks.empty());
    EXPECT_EQ(marks[0].Squares, (std::vector<TSquareMark>{{0, TMarkColor::Red}, {63, TMarkColor::Green}}));
    EXPECT_EQ(marks[0].Arrows, std::vector<TArrowMark>{e2e4});
}

// The drawing commands of other annotators give the same marks as %cal/%csl;
// kinds the board cannot show and malformed commands give none.
TEST(CommentMarks, DrawAndMarkCommandsReadAsArrowsAndSquares) {
    const TArrowMark e2e4{Sq('e', '2'), Sq('e', '4'), TMarkColor::Red};
    const TSquareMark e4{Sq('e', '4'), TMarkColor::Green};
    struct TCase {
        const char* Comment;
        std::vector<TArrowMark> Arrows;
        std::vector<TSquareMark> Squares;
    };
    const TCase cases[] = {
        {"[%draw arrow,e2,e4,red]", {e2e4}, {}},
        {"[%draw  arrow, E2 ,e4 , Red ]", {e2e4}, {}},
        {"[%draw arrow,e2,e4,R]", {e2e4}, {}},
        {"[%draw arrow,e2,e4]", {{e2e4.From, e2e4.To, TMarkColor::Green}}, {}},
        {"[%draw full,e4,green]", {}, {e4}},
        {"[%draw square,e4,green][%draw circle,e4,green][%draw disk,e4,green]", {}, {e4}},
        {"[%draw full,e4]", {}, {{e4.Square, TMarkColor::Red}}},
        {"[%mark e4 green]", {}, {e4}},
        {"[%mark e4]", {}, {{e4.Square, TMarkColor::Red}}},
        {"[%draw full,a1,yellow][%draw arrow,h1,a8,blue] and [%mark h8 blue]",
         {{Sq('h', '1'), Sq('a', '8'), TMarkColor::Blue}},
         {{0, TMarkColor::Yellow}, {63, TMarkColor::Blue}}},
        // Left out: colours the board has not, kinds it cannot draw, bad squares and counts.
        {"[%draw arrow,e2,e4,purple][%draw full,e4,gray][%mark e4 pink]", {}, {}},
        {"[%draw x,e4,red][%draw +,e4,red][%draw A,e4,red][%draw]", {}, {}},
        {"[%draw arrow,e2,e9,red][%draw arrow,e2,red][%draw arrow,e2,e4,red,blue][%draw full,i4,red]", {}, {}},
        {"[%mark e4 green extra][%mark][%markx e4][%drawing full,e4]", {}, {}},
        {"[%draw arrow,e4,e4,red]", {}, {}},
    };
    for (const TCase& c : cases) {
        const TBoardMarks marks = ParseCommentMarks(c.Comment);
        EXPECT_EQ(marks.Arrows, c.Arrows) << c.Comment;
        EXPECT_EQ(marks.Squares, c.Squares) << c.Comment;
    }
    // Mixed with %cal/%csl in one comment, under the one rule for repeats.
    EXPECT_EQ(ParseCommentMarks("[%cal Ge2e4][%draw arrow,e2,e4,red][%csl Ye4][%mark e4 green]"),
              (TBoardMarks{{e2e4}, {e4}}));
}

TEST(BoardMarks, CommandLineArgumentsTakeAnOptionalColour) {
    EXPECT_EQ(ParseArrowArgument("e2e4"), (TArrowMark{Sq('e', '2'), Sq('e', '4'), TMarkColor::Green}));
    EXPECT_EQ(ParseArrowArgument("E2E4:red"), (TArrowMark{Sq('e', '2'), Sq('e', '4'), TMarkColor::Red}));
    EXPECT_EQ(ParseSquareArgument("d4"), (TSquareMark{Sq('d', '4'), TMarkColor::Red}));
    EXPECT_EQ(ParseSquareArgument("d4:B"), (TSquareMark{Sq('d', '4'), TMarkColor::Blue}));
    for (const char* bad : {"e2", "e2e2", "e2e9", "e2e4:", "e2e4:pink", "i1a1"})
        EXPECT_FALSE(ParseArrowArgument(bad)) << bad;
    for (const char* bad : {"d", "d9", "d4:X", "d4e4"}) EXPECT_FALSE(ParseSquareArgument(bad)) << bad;
}

TEST(GameMarks, EachCommentMarksThePositionItsMoveReaches) {
    TPGNRec game;
    game.Result = "1-0";
    game.Moves =
        "{[%csl Ge4]} 1. e4 {[%cal Gd7d5] good} e5 (1... c5 {[%cal Rg1f3]}) "
        "2. Nf3 {first} {[%csl Rf7][%cal Bf3e5]} 1-0 {[%csl Ya1]}";
    const std::vector<TBoardMarks> marks = ReadGameMarks(game);
    ASSERT_EQ(marks.size(), 4u);  // start and three moves
    EXPECT_EQ(marks[0].Squares, (std::vector<TSquareMark>{{Sq('e', '4'), TMarkColor::Green}}));
    EXPECT_EQ(marks[1].Arrows.size(), 1u);
    EXPECT_TRUE(marks[2].Empty());           // the variation's comment is not the main line's
    EXPECT_EQ(marks[3].Squares.size(), 2u);  // a comment after the result still marks the last position
    EXPECT_EQ(marks[3].Arrows, (std::vector<TArrowMark>{{Sq('f', '3'), Sq('e', '5'), TMarkColor::Blue}}));
    EXPECT_TRUE(MarksAt(marks, 9).Empty());
    EXPECT_TRUE(MarksAt(marks, -1).Empty());
}
