#include <gtest/gtest.h>

#include "app/BoardEditRules.h"
#include "board/DiagramBoard.h"

namespace vorlix {
namespace {

TRightClick ClickOn(const TDiagramBoard& board, QPoint square) {
    const TSquareInfo& info = board.Square(square.x(), square.y());
    return {square, info.Piece, info.Selected, info.Highlighted, info.Merged};
}

TEST(BoardEditRules, TypedKeysAndDefectedCodes) {
    EXPECT_EQ(CodeOfTypedKey('Q'), 2);
    EXPECT_EQ(CodeOfTypedKey('p'), 12);
    EXPECT_EQ(CodeOfTypedKey('O'), 14);
    EXPECT_EQ(CodeOfTypedKey('x'), 15);
    EXPECT_FALSE(CodeOfTypedKey('z').has_value());
    EXPECT_FALSE(CodeOfTypedKey(' ').has_value());
    EXPECT_EQ(DefectedCode(1), 7);
    EXPECT_EQ(DefectedCode(12), 6);
    EXPECT_EQ(DefectedCode(13), 15);
    EXPECT_EQ(DefectedCode(16), 14);
    EXPECT_EQ(DefectedCode(0), 0);
}

TEST(BoardEditRules, BoardMenuFollowsTheSelection) {
    TDiagramBoard board;
    TEditMenuState none = BoardMenuState(board);
    EXPECT_FALSE(none.Defect || none.Delete || none.Highlighting || none.InsertWhite || none.InsertBlack);
    EXPECT_FALSE(none.UnselectAll);
    EXPECT_TRUE(none.SelectAll);

    board.ToggleSelection({4, 4});  // empty e5
    board.ToggleSelection({3, 4});  // empty d5
    TEditMenuState empty = BoardMenuState(board);
    EXPECT_TRUE(empty.Highlighting && empty.InsertWhite && empty.InsertBlack && empty.UnselectAll);
    EXPECT_FALSE(empty.Defect || empty.Delete || empty.Clear || empty.Merge || empty.Unmerge);
    EXPECT_EQ(empty.DisabledInsert, 0);

    board.HighlightSquare(clRed, true, false, {4, 4});
    TEditMenuState halfMerged = BoardMenuState(board);
    EXPECT_TRUE(halfMerged.Clear && halfMerged.Merge && halfMerged.Unmerge);
    board.HighlightSelection(clRed, true, false);
    TEditMenuState merged = BoardMenuState(board);
    EXPECT_FALSE(merged.Merge);
    EXPECT_TRUE(merged.Unmerge);

    board.SelectAll();
    EXPECT_FALSE(BoardMenuState(board).SelectAll);
}

TEST(BoardEditRules, InsertItemOfTheSharedCodeIsDisabled) {
    TDiagramBoard board;
    board.SetPiece(4, 3, pcWCross);
    board.ToggleSelection({4, 3});
    // One selected cross disables nothing in the Board menu, but its own item in the pop-up.
    EXPECT_EQ(BoardMenuState(board).DisabledInsert, 0);
    EXPECT_EQ(PopupMenuState(board, ClickOn(board, {4, 3})).DisabledInsert, pcWCross);

    board.UnselectAll();
    board.ToggleSelection({0, 1});
    EXPECT_EQ(BoardMenuState(board).DisabledInsert, 6);
    board.ToggleSelection({1, 1});
    EXPECT_EQ(BoardMenuState(board).DisabledInsert, 6);
    // Clicked on a selected square among several: the shared code; on an unselected one: its own.
    EXPECT_EQ(PopupMenuState(board, ClickOn(board, {0, 1})).DisabledInsert, 6);
    EXPECT_EQ(PopupMenuState(board, ClickOn(board, {0, 7})).DisabledInsert, 11);
    board.ToggleSelection({0, 0});
    EXPECT_EQ(BoardMenuState(board).DisabledInsert, 0);
}

TEST(BoardEditRules, PopupOnAnUnselectedSquareLooksAtThatSquare) {
    TDiagramBoard board;
    board.ToggleSelection({0, 0});
    board.HighlightSquare(clRed, false, false, {4, 4});
    TEditMenuState onEmpty = PopupMenuState(board, ClickOn(board, {4, 4}));
    EXPECT_FALSE(onEmpty.Defect || onEmpty.Delete || onEmpty.Unmerge || onEmpty.Unselect);
    EXPECT_TRUE(onEmpty.Clear && onEmpty.Merge && onEmpty.Select && onEmpty.UnselectAll);
    EXPECT_TRUE(onEmpty.Highlighting && onEmpty.InsertWhite && onEmpty.InsertBlack);

    TEditMenuState onSelected = PopupMenuState(board, ClickOn(board, {0, 0}));
    EXPECT_TRUE(onSelected.Defect && onSelected.Unselect);
    EXPECT_FALSE(onSelected.Select || onSelected.Clear);
}

TEST(BoardEditRules, PopupEditsActOnSelectionOrClickedSquare) {
    TDiagramBoard board;
    board.ToggleSelection({0, 0});
    board.ToggleSelection({1, 0});
    board.HighlightSelection(clRed, true, false);

    // Not selected: only that square.
    TPopupEdits onKnightG1(board, ClickOn(board, {6, 0}));
    onKnightG1.Defect();
    EXPECT_EQ(board.SquareCode({6, 0}), 10);
    EXPECT_EQ(board.SquareCode({0, 0}), 5);
    onKnightG1.HighlightCustom(clBlue);
    EXPECT_FALSE(board.Square(6, 0).Merged);

    // Selected: the selection; a custom colour keeps each square's merge flag.
    TPopupEdits onA1(board, ClickOn(board, {0, 0}));
    onA1.HighlightCustom(clBlue);
    EXPECT_EQ(board.Square(1, 0).HighlightColor, clBlue);
    EXPECT_TRUE(board.Square(1, 0).Merged);
    onA1.Insert(pcBDot);
    EXPECT_EQ(board.SquareCode({0, 0}), pcBDot);
    EXPECT_EQ(board.SquareCode({1, 0}), pcBDot);
    EXPECT_EQ(board.SelectedCount(), 0);

    TPopupEdits onH8(board, ClickOn(board, {7, 7}));
    onH8.ToggleSelection();
    EXPECT_TRUE(board.IsSelected({7, 7}));
    board.ToggleSelection({7, 6});
    onH8.Delete();  // the record says h8 was not selected: h8 alone
    EXPECT_EQ(board.SquareCode({7, 7}), 0);
    EXPECT_EQ(board.SquareCode({7, 6}), 12);
    TPopupEdits again(board, ClickOn(board, {7, 7}));
    again.Insert(2);
    EXPECT_EQ(board.SquareCode({7, 6}), 2);
    EXPECT_EQ(board.SelectedCount(), 0);
}

}  // namespace
}  // namespace vorlix
