#include <gtest/gtest.h>

#include <sstream>

#include "board/DiagramBoard.h"

namespace vorlix {
namespace {

const char* kStart = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";

TEST(BoardPlacement, ReadsOnlyACompletePlacement) {
    TDiagramBoard board;
    board.SetPiece(4, 3, pcWDot);
    EXPECT_TRUE(board.SetPositionFromPlacement("8/8/8/8/8/8/8/8"));
    EXPECT_TRUE(board.IsEmpty());

    EXPECT_FALSE(board.SetPositionFromPlacement("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBN"));
    EXPECT_FALSE(board.SetPositionFromPlacement("9/8/8/8/8/8/8/8"));
    EXPECT_FALSE(board.SetPositionFromPlacement(" 8/8/8/8/8/8/8/8"));
    EXPECT_FALSE(board.SetPositionFromPlacement("8/8/8/8/8/8/8/8/"));
    EXPECT_FALSE(board.SetPositionFromPlacement("8/8/8/8/8/8/8/K8"));
    EXPECT_TRUE(board.IsEmpty());

    ASSERT_TRUE(board.SetPositionFromPlacement(std::string(kStart) + " w KQkq - 0 1"));
    EXPECT_EQ(board.GetPiece({4, 0}), pcWKing);
}

TEST(BoardPlacement, WritesPiecesAndCountsMarksAsEmpty) {
    TDiagramBoard board;
    std::string text = "x";
    board.GetPlacementText(text);
    EXPECT_EQ(text, std::string("x") + kStart);
    board.ClearBoard();
    board.SetPiece(4, 3, pcWCross);
    text.clear();
    board.GetPlacementText(text);
    EXPECT_EQ(text, "8/8/8/8/8/8/8/8");
}

TEST(BoardSetup, WritesTheStartPosition) {
    TDiagramBoard board;
    std::string text;
    board.GetSetupText(text);
    EXPECT_EQ(text,
              "wKe1,Qd1,Bc1,f1,Nb1,g1,Ra1,h1,Pa2,b2,c2,d2,e2,f2,g2,h2/"
              "bKe8,Qd8,Bc8,f8,Nb8,g8,Ra8,h8,Pa7,b7,c7,d7,e7,f7,g7,h7");
    board.ClearBoard();
    board.GetSetupText(text);
    EXPECT_EQ(text, "");
}

TEST(BoardSetup, ReadsValidTextAndRejectsTheRest) {
    TDiagramBoard board;
    ASSERT_TRUE(board.SetPositionFromSetup("Position: wKe1/bKe8"));
    EXPECT_EQ(board.GetPiece({4, 0}), pcWKing);
    EXPECT_EQ(board.GetPiece({4, 7}), pcBKing);
    EXPECT_EQ(board.GetPiece({0, 0}), 0);

    for (const char* bad : {"wKe1,", "wKe1/b", "wKe1Qd1", "wKe1e2", "wKe9", "wKe1/x", "wKe1;", "no start"})
        EXPECT_FALSE(board.SetPositionFromSetup(bad)) << bad;
    EXPECT_EQ(board.GetPiece({4, 7}), pcBKing);  // unchanged by the failures

    board.SetPiece(3, 3, pcWCross);
    ASSERT_TRUE(board.SetPositionFromSetup("wKe1 extra"));
    EXPECT_EQ(board.GetPiece({4, 7}), 0);
    EXPECT_EQ(board.SquareCode({3, 3}), 0);
    ASSERT_TRUE(board.SetPositionFromSetup("wK\r\ne1,Pa2,b3/bKh8"));
    EXPECT_EQ(board.GetPiece({1, 2}), pcWPawn);
}

TEST(BoardSetup, RoundTripsAndWhiteOnlyTextIsRejected) {
    TDiagramBoard board;
    std::string text;
    board.GetSetupText(text);
    TDiagramBoard other;
    other.ClearBoard();
    ASSERT_TRUE(other.SetPositionFromSetup(text));
    EXPECT_EQ(other.Codes(), board.Codes());

    board.ClearBoard();
    board.SetPiece(0, 0, pcWRook);
    board.GetSetupText(text);
    EXPECT_EQ(text, "wRa1/b");
    EXPECT_FALSE(other.SetPositionFromSetup(text));
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t pos; (pos = text.find("\r\n", start)) != std::string::npos; start = pos + 2)
        lines.push_back(text.substr(start, pos - start));
    lines.push_back(text.substr(start));
    return lines;
}

TEST(BoardTextDiagram, LineLengthsAndOrientation) {
    TDiagramBoard board;
    board.ClearBoard();
    board.SetPiece(4, 4, pcBDot);
    std::string text;
    board.GetTextDiagram(text);
    const auto lines = Lines(text);
    ASSERT_EQ(lines.size(), 18u);
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].size(), (i % 2 == 1 && i < 17) ? 35u : 33u) << i;
    EXPECT_EQ(lines[17], "  a   b   c   d   e   f   g   h  ");

    board.SetStartPosition();
    board.SetView(vwBlackUnder);
    board.GetTextDiagram(text);
    const auto turned = Lines(text);
    EXPECT_EQ(turned[1], "| R | N | B | K | Q | B | N | R | 1");
    EXPECT_EQ(turned[17], "  h   g   f   e   d   c   b   a  ");
}

}  // namespace
}  // namespace vorlix
