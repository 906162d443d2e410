#include "app/BoardEditRules.h"

#include <algorithm>

#include "board/ChessBoard.h"

namespace vorlix {

namespace {

constexpr int kFirstMark = pcWCross;
constexpr int kLastPiece = 12;

// With one square selected only a piece disables its Insert item; with more,
// any code they all share does.
int SharedSelectionCode(const TkxChessBrd& board) {
    const int count = board.SelectedCount();
    const int shared = board.SelectionPiece();
    if (count == 1) return shared >= 1 && shared <= kLastPiece ? shared : 0;
    return count > 1 && shared > 0 ? shared : 0;
}

void SetSelectionItems(TEditMenuState& state, const TkxChessBrd& board) {
    const int count = board.SelectedCount();
    state.UnselectAll = count > 0;
    state.SelectAll = count < 64;
}

void SetSelectedSquareItems(TEditMenuState& state, const TkxChessBrd& board) {
    state.Defect = state.Delete = !board.SelectionEmpty();
    state.Clear = !board.SelectionUnhighlighted();
    state.Merge = state.Clear && !board.SelectionMerged();
    state.Unmerge = state.Clear && !board.SelectionUnmerged();
}

}  // namespace

std::optional<int> CodeOfTypedKey(char32_t character) {
    switch (character) {
        case 'K': return 1;
        case 'Q': return 2;
        case 'B': return 3;
        case 'N': return 4;
        case 'R': return 5;
        case 'P': return 6;
        case 'k': return 7;
        case 'q': return 8;
        case 'b': return 9;
        case 'n': return 10;
        case 'r': return 11;
        case 'p': return 12;
        case 'X': return pcWCross;
        case 'O': return pcWDot;
        case 'x': return pcBCross;
        case 'o': return pcBDot;
        default: return std::nullopt;
    }
}

int DefectedCode(int code) {
    if (code >= 1 && code <= 6) return code + 6;
    if (code >= 7 && code <= kLastPiece) return code - 6;
    if (code >= kFirstMark && code <= kMaxSquareCode) return code <= pcWDot ? code + 2 : code - 2;
    return code;
}

TEditMenuState BoardMenuState(const TkxChessBrd& board) {
    TEditMenuState state;
    SetSelectionItems(state, board);
    if (board.SelectedCount() == 0) return state;
    state.Highlighting = state.InsertWhite = state.InsertBlack = true;
    SetSelectedSquareItems(state, board);
    state.DisabledInsert = SharedSelectionCode(board);
    return state;
}

TEditMenuState PopupMenuState(const TkxChessBrd& board, const TRightClick& click) {
    TEditMenuState state;
    SetSelectionItems(state, board);
    state.Highlighting = state.InsertWhite = state.InsertBlack = true;
    if (click.Selected) {
        SetSelectedSquareItems(state, board);
    } else {
        state.Defect = state.Delete = click.Piece > 0;
        state.Clear = click.Highlighted;
        state.Merge = click.Highlighted && !click.Merged;
        state.Unmerge = click.Highlighted && click.Merged;
    }
    const bool onBoard = TkxChessBrd::OnBoard(click.Square);
    state.Unselect = onBoard && click.Selected;
    state.Select = onBoard && !click.Selected;
    if (click.Selected && board.SelectedCount() > 1)
        state.DisabledInsert = std::max(board.SelectionPiece(), 0);
    else
        state.DisabledInsert = click.Piece;
    return state;
}

// ---- Pop-up commands ------------------------------------------------------------

void TPopupEdits::Defect() {
    if (OnSelection()) return FBoard.DefectSelection();
    const QPoint s = FClick.Square;
    FBoard.SetPiece(s.x(), s.y(), DefectedCode(FBoard.SquareCode(s)));
    FBoard.RedrawSquare(s);
}

void TPopupEdits::Delete() {
    if (OnSelection()) return FBoard.SetPieceOnSelection(0);
    FBoard.ClearPiece(FClick.Square);
    FBoard.RedrawSquare(FClick.Square);
}

void TPopupEdits::ClearHighlight() {
    if (OnSelection()) return FBoard.UnhighlightSelection();
    FBoard.UnhighlightSquare(FClick.Square);
}

void TPopupEdits::SetMerge(bool merged) {
    if (OnSelection()) return FBoard.SetMergeSelection(merged);
    FBoard.SetMergeSquare(FClick.Square, merged);
}

void TPopupEdits::Highlight(TColor color, bool merged) {
    if (OnSelection()) return FBoard.HighlightSelection(color, merged, false);
    FBoard.HighlightSquare(color, merged, false, FClick.Square);
}

void TPopupEdits::HighlightCustom(TColor color) {
    if (OnSelection()) return FBoard.HighlightSelection(color, false, true);
    FBoard.HighlightSquare(color, false, true, FClick.Square);
}

void TPopupEdits::Insert(int code) {
    if (OnSelection()) return FBoard.SetPieceOnSelection(code);
    FBoard.SetPiece(FClick.Square.x(), FClick.Square.y(), code);
    FBoard.RedrawSquare(FClick.Square);
}

void TPopupEdits::ToggleSelection() {
    if (!TkxChessBrd::OnBoard(FClick.Square)) return;
    FBoard.ToggleSelection(FClick.Square);
    FBoard.RedrawSquare(FClick.Square);
}

}  // namespace vorlix
