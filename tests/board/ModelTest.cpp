#include <gtest/gtest.h>

#include <functional>

#include "board/DiagramBoard.h"

namespace vorlix {
namespace {

TEST(BoardModel, NewBoardHoldsTheStartPosition) {
    TDiagramBoard board;
    EXPECT_EQ(board.GetPiece({4, 0}), pcWKing);
    EXPECT_EQ(board.GetPiece({3, 7}), pcBQueen);
    EXPECT_FALSE(board.Square(0, 0).IsLight);
    EXPECT_TRUE(board.Square(1, 0).IsLight);
    EXPECT_EQ(board.SelectedCount(), 0);
    EXPECT_EQ(board.Square(0, 0).HighlightColor, clWhite);
}

TEST(BoardModel, SetPieceIgnoresBadSquaresAndCodes) {
    TDiagramBoard board;
    board.ClearBoard();
    board.SetPiece(0, 0, 17);
    board.SetPiece(0, 0, -1);
    board.SetPiece(8, 0, 1);
    EXPECT_TRUE(board.IsEmpty());
    board.SetPiece(4, 3, pcWCross);
    EXPECT_EQ(board.GetPiece({4, 3}), 0);
    EXPECT_EQ(board.SquareCode({4, 3}), pcWCross);
    EXPECT_FALSE(board.IsEmpty());
}

TEST(BoardModel, SquareSizeAcceptsOnlyEvenSizesFrom32) {
    TDiagramBoard board;
    int rebuiltSize = 0;
    board.SetSquareSize(33);
    board.SetSquareSize(30);
    EXPECT_EQ(board.SquareSize(), 36);
    board.SetSquareSize(40);
    EXPECT_EQ(board.SquareSize(), 40);
    rebuiltSize = board.PieceImage(pcWKing).width();
    EXPECT_EQ(rebuiltSize, 40);
    board.SetSquareSize(52);  // from diagram files
    EXPECT_EQ(board.SquareSize(), 52);
}

TEST(BoardModel, SettersIgnoreTheCurrentValueAndRepaintOtherwise) {
    TDiagramBoard board;
    int invalidations = 0, styleChanges = 0;
    board.OnInvalidate = [&](TDiagramBoard&) { ++invalidations; };
    board.OnPieceStyleChange = [&](TDiagramBoard&) { ++styleChanges; };
    board.SetDarkSquares(clSilver);
    board.SetPieceStyle(psRirozReg);
    board.SetGridLineColor(clRed);  // no grid: nothing to repaint
    EXPECT_EQ(invalidations, 0);
    board.SetPieceStyle(psRoruvoz);
    EXPECT_EQ(styleChanges, 1);
    board.SetGridLineWidth(-1);
    EXPECT_EQ(board.GridLineWidth(), 0);
    board.BeginUpdate();
    board.SetView(vwBlackUnder);
    board.SetLightSquares(clRed);
    EXPECT_EQ(invalidations, 1);
    EXPECT_FALSE(board.Paint());
    board.EndUpdate();
    EXPECT_EQ(invalidations, 2);
}

TEST(BoardModel, FindPieceSearchesOnwardInFileMajorOrder) {
    TDiagramBoard board;
    QPoint square(0, 0);
    ASSERT_TRUE(board.FindPiece(pcWKnight, square));
    EXPECT_EQ(square, QPoint(1, 0));
    square = QPoint(1, 1);
    ASSERT_TRUE(board.FindPiece(pcWKnight, square));
    EXPECT_EQ(square, QPoint(6, 0));
    square = QPoint(8, 0);
    EXPECT_FALSE(board.FindPiece(pcWKnight, square));
}

TEST(BoardSelection, FocusChangeOnlyWhenTheSelectionChanges) {
    TDiagramBoard board;
    int changes = 0;
    board.OnFocusChange = [&](TDiagramBoard&) { ++changes; };
    board.UnselectAll();
    EXPECT_EQ(changes, 0);
    board.SelectAll();
    board.SelectAll();
    EXPECT_EQ(changes, 1);
    board.UnselectAll();
    EXPECT_EQ(changes, 2);
    board.ToggleSelection({0, 0});
    EXPECT_EQ(changes, 3);
    board.SetPieceOnSelection(pcBRook);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(board.SelectedCount(), 0);
    EXPECT_EQ(board.GetPiece({0, 0}), pcBRook);
}

TEST(BoardSelection, DefectSwapsColoursOfPiecesAndMarks) {
    TDiagramBoard board;
    board.ClearBoard();
    board.SetPiece(0, 0, pcWCross);
    board.SetPiece(0, 1, pcBDot);
    board.SetPiece(0, 2, pcWPawn);
    for (int rank = 0; rank < 4; ++rank) board.ToggleSelection({0, rank});
    board.DefectSelection();
    EXPECT_EQ(board.SquareCode({0, 0}), pcBCross);
    EXPECT_EQ(board.SquareCode({0, 1}), pcWDot);
    EXPECT_EQ(board.SquareCode({0, 2}), pcBPawn);
    EXPECT_EQ(board.SquareCode({0, 3}), 0);
    EXPECT_EQ(board.SelectedCount(), 4);
    EXPECT_EQ(board.SelectionPiece(), -1);
    EXPECT_FALSE(board.SelectionSamePiece());
}

TEST(BoardHighlight, SelectionQueriesAndMerging) {
    TDiagramBoard board;
    EXPECT_TRUE(board.SelectionMerged() && board.SelectionUnmerged() && board.SelectionUnhighlighted());
    board.ToggleSelection({2, 2});
    board.ToggleSelection({3, 3});
    EXPECT_TRUE(board.SelectionEmpty());
    board.HighlightSelection(clRed, true, false);
    EXPECT_TRUE(board.SelectionMerged());
    EXPECT_FALSE(board.SelectionUnhighlighted());
    board.HighlightSelection(clBlue, false, true);  // keeps the merge flag
    EXPECT_TRUE(board.SelectionMerged());
    EXPECT_EQ(board.Square(2, 2).HighlightColor, clBlue);
    board.SetMergeSelection(false);
    EXPECT_TRUE(board.SelectionUnmerged());
    board.SetMergeSquare({5, 5}, true);  // not highlighted: no merge
    EXPECT_FALSE(board.Square(5, 5).Merged);
    board.UnhighlightAll();
    EXPECT_TRUE(board.SelectionUnhighlighted());
    EXPECT_EQ(board.Square(2, 2).HighlightColor, clWhite);
}

TEST(BoardModel, ResetSettingsRestoresTheDefaults) {
    TDiagramBoard board;
    board.SetSquareSize(48);
    board.SetView(vwBlackUnder);
    board.SetGridLineWidth(3);
    board.Border().Add({5, clRed, clRed});
    board.SetLightSquareBitmap(QImage(8, 8, QImage::Format_RGB32));
    board.ToggleSelection({1, 1});
    board.HighlightSquare(clRed, false, false, {1, 1});
    board.ClearBoard();
    TCFont font;
    font.Name = "Other";
    font.Size = 20;
    board.SetFont(font);
    board.SetCoordenateOrientation(kAllCoords);
    board.SetCoordenateInCapitals(true);
    board.SetPieceStyle(psRoviravo);
    board.SetDarkShading(shVertical);
    board.SetDarkShadingColor(clRed);
    board.SetDarkSquares(clBlue);
    board.SetDarkSquareAutoFit(true);
    board.SetGridLineColor(clRed);
    int invalidations = 0;
    board.OnInvalidate = [&](TDiagramBoard&) { ++invalidations; };
    board.ResetSettings();
    EXPECT_EQ(invalidations, 1);  // one repaint for the whole reset
    EXPECT_EQ(board.Font(), TCFont{});
    EXPECT_EQ(board.Font().Name, "MS Sans Serif");
    EXPECT_EQ(board.CoordenateOrientation(), East | South);
    EXPECT_FALSE(board.CoordenateInCapitals());
    EXPECT_EQ(board.PieceStyle(), psRirozReg);
    EXPECT_EQ(board.DarkShading(), shNone);
    EXPECT_EQ(board.DarkShadingColor(), clBlack);
    EXPECT_EQ(board.DarkSquares(), clSilver);
    EXPECT_FALSE(board.DarkSquareAutoFit());
    EXPECT_EQ(board.GridLineColor(), clBlack);
    EXPECT_EQ(board.SquareSize(), 36);
    EXPECT_EQ(board.View(), vwWhiteUnder);
    EXPECT_EQ(board.GridLineWidth(), 0);
    ASSERT_EQ(board.Border().Count(), 1);
    EXPECT_EQ(board.Border().Get(0), (TBorderInfo{2, clBlack, clBlack}));
    EXPECT_TRUE(board.LightSquareBitmap().isNull());
    EXPECT_EQ(board.CoordenateBackColor(), clBtnFace);
    EXPECT_EQ(board.SelectedCount(), 0);
    EXPECT_FALSE(board.Square(1, 1).Highlighted);
    EXPECT_EQ(board.GetPiece({4, 0}), pcWKing);
}

}  // namespace
}  // namespace vorlix

namespace vorlix {
namespace {

// A game's marks belong to the position they came with; other marks stay.
TEST(BoardMarks, AGamesMarksGoWithTheFirstWriteOfContentsAndOthersStay) {
    const TBoardMarks marks{{{12, 28, TMarkColor::Green}}, {{28, TMarkColor::Red}}};
    const struct {
        const char* Name;
        std::function<void(TDiagramBoard&)> Edit;
        bool Changes;
    } edits[] = {
        {"SetPiece", [](TDiagramBoard& b) { b.SetPiece(0, 2, pcWQueen); }, true},
        {"same code again", [](TDiagramBoard& b) { b.SetPiece(4, 0, pcWKing); }, true},
        {"ClearBoard", [](TDiagramBoard& b) { b.ClearBoard(); }, true},
        {"SetStartPosition", [](TDiagramBoard& b) { b.SetStartPosition(); }, true},
        {"placement", [](TDiagramBoard& b) { ASSERT_TRUE(b.SetPositionFromPlacement("8/8/8/8/8/8/8/K6k")); }, true},
        {"piece on a selection",
         [](TDiagramBoard& b) {
             b.ToggleSelection({0, 2}), b.SetPieceOnSelection(pcBCross);
         },
         true},
        {"defect",
         [](TDiagramBoard& b) {
             b.ToggleSelection({4, 0}), b.DefectSelection();
         },
         true},
        {"bad placement", [](TDiagramBoard& b) { ASSERT_FALSE(b.SetPositionFromPlacement("8/8/8")); }, false},
        {"piece on no selection", [](TDiagramBoard& b) { b.SetPieceOnSelection(pcWQueen); }, false},
        {"off the board", [](TDiagramBoard& b) { b.SetPiece(8, 0, pcWQueen); }, false},
        {"select and highlight", [](TDiagramBoard& b) { b.SelectAll(), b.HighlightSelection(clRed, false, false); },
         false},
        {"view", [](TDiagramBoard& b) { b.SetView(vwBlackUnder); }, false},
    };
    for (const auto& edit : edits) {
        SCOPED_TRACE(edit.Name);
        TDiagramBoard game, diagram;
        game.SetGameMarks(marks);
        diagram.SetMarks(marks);
        int repaints = 0;
        game.OnInvalidate = [&](TDiagramBoard&) { ++repaints; };
        edit.Edit(game);
        edit.Edit(diagram);
        EXPECT_EQ(game.Marks(), edit.Changes ? TBoardMarks{} : marks);
        EXPECT_EQ(game.MarksFromGame(), !edit.Changes);
        if (edit.Changes) EXPECT_GT(repaints, 0);  // the arrows leave the whole picture
        EXPECT_EQ(diagram.Marks(), marks);
        EXPECT_FALSE(diagram.MarksFromGame());
    }
}

TEST(BoardMarks, ContentsComeBackWithTheMarksAndWhereTheyCameFrom) {
    TDiagramBoard board;
    board.SetPiece(0, 2, pcWCross);
    board.SetGameMarks({{{12, 28, TMarkColor::Blue}}, {}});
    const TBoardContents saved = board.Contents();
    board.SetPositionFromPlacement("8/8/8/8/8/8/8/K6k");
    board.SetMarks({{}, {{5, TMarkColor::Yellow}}});
    board.SetContents(saved);
    EXPECT_EQ(board.Contents(), saved);
    EXPECT_EQ(board.SquareCode({0, 2}), pcWCross);
    board.ClearPiece({0, 2});  // still the game's: the next change drops them
    EXPECT_TRUE(board.Marks().Empty());
}

}  // namespace
}  // namespace vorlix
