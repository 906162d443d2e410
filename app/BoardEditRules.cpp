#include "app/BoardEditRules.h"

#include <algorithm>

#include "board/DiagramBoard.h"

namespace vorlix {

namespace {

constexpr int kFirstMark = pcWCross;
constexpr int kLastPiece = 12;

// With one square selected only a piece disables its Insert item; with more,
// any code they all share does.
int SharedSelectionCode(const TDiagramBoard& board) {
    const int count = board.SelectedCount();
    const int shared = board.SelectionPiece();
    if (count == 1) return shared >= 1 && shared <= kLastPiece ? shared : 0;
    return count > 1 && shared > 0 ? shared : 0;
}

void SetSelectionItems(TEditMenuState& state, const TDiagramBoard& board) {
    const int count = board.SelectedCount();
    state.UnselectAll = count > 0;
    state.SelectAll = count < 64;
}

void SetSelectedSquareItems(TEditMenuState& state, const TDiagramBoard& board) {
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

TEditMenuState BoardMenuState(const TDiagramBoard& board) {
    TEditMenuState state;
    SetSelectionItems(state, board);
    if (board.SelectedCount() == 0) return state;
    state.Highlighting = state.InsertWhite = state.InsertBlack = true;
    SetSelectedSquareItems(state, board);
    state.DisabledInsert = SharedSelectionCode(board);
    return state;
}

TEditMenuState PopupMenuState(const TDiagramBoard& board, const TRightClick& click) {
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
    const bool onBoard = TDiagramBoard::OnBoard(click.Square);
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
    if (OnSelection()) return board_.DefectSelection();
    const QPoint s = click_.Square;
    board_.SetPiece(s.x(), s.y(), DefectedCode(board_.SquareCode(s)));
    board_.RedrawSquare(s);
}

void TPopupEdits::Delete() {
    if (OnSelection()) return board_.SetPieceOnSelection(0);
    board_.ClearPiece(click_.Square);
    board_.RedrawSquare(click_.Square);
}

void TPopupEdits::ClearHighlight() {
    if (OnSelection()) return board_.UnhighlightSelection();
    board_.UnhighlightSquare(click_.Square);
}

void TPopupEdits::SetMerge(bool merged) {
    if (OnSelection()) return board_.SetMergeSelection(merged);
    board_.SetMergeSquare(click_.Square, merged);
}

void TPopupEdits::Highlight(TColor color, bool merged) {
    if (OnSelection()) return board_.HighlightSelection(color, merged, false);
    board_.HighlightSquare(color, merged, false, click_.Square);
}

void TPopupEdits::HighlightCustom(TColor color) {
    if (OnSelection()) return board_.HighlightSelection(color, false, true);
    board_.HighlightSquare(color, false, true, click_.Square);
}

void TPopupEdits::Insert(int code) {
    if (OnSelection()) return board_.SetPieceOnSelection(code);
    board_.SetPiece(click_.Square.x(), click_.Square.y(), code);
    board_.RedrawSquare(click_.Square);
}

void TPopupEdits::ToggleSelection() {
    if (!TDiagramBoard::OnBoard(click_.Square)) return;
    board_.ToggleSelection(click_.Square);
    board_.RedrawSquare(click_.Square);
}

}  // namespace vorlix
