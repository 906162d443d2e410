#pragma once
// What the editing commands of the Board menu and the board's pop-up menu may
// do at a given moment, and what the typed keys put on the selected squares.
#include <QPoint>
#include <optional>

#include "board/Colors.h"

namespace vorlix {

class TDiagramBoard;

// The square code a typed character puts on the selected squares:
// K Q B N R P (white), k q b n r p (black), X O (white cross, dot), x o (black).
std::optional<int> CodeOfTypedKey(char32_t character);

// The other side's piece or mark; empty stays empty.
int DefectedCode(int code);

// Enabled items of the Board menu (and of the pop-up's matching items).
struct TEditMenuState {
    bool Defect = false;
    bool Delete = false;
    bool Highlighting = false;
    bool Clear = false;
    bool Merge = false;
    bool Unmerge = false;
    bool InsertWhite = false;
    bool InsertBlack = false;
    bool Select = false;    // pop-up only
    bool Unselect = false;  // pop-up only
    bool SelectAll = false;
    bool UnselectAll = false;
    // The one Insert item that is disabled (a square code 1..16), 0 for none.
    int DisabledInsert = 0;
};

TEditMenuState BoardMenuState(const TDiagramBoard& board);

// The square last right-clicked and what the board reported about it.
struct TRightClick {
    QPoint Square{-1, -1};
    int Piece = 0;
    bool Selected = false;
    bool Highlighted = false;
    bool Merged = false;
};

TEditMenuState PopupMenuState(const TDiagramBoard& board, const TRightClick& click);

// The pop-up's commands: on the selection when the right-clicked square is
// selected, else on that square alone. Each repaints what it changed.
class TPopupEdits {
public:
    TPopupEdits(TDiagramBoard& board, const TRightClick& click) : board_(board), click_(click) {}

    void Defect();
    void Delete();
    void ClearHighlight();
    void SetMerge(bool merged);
    void Highlight(TColor color, bool merged);
    // A custom colour keeps every square's merge flag.
    void HighlightCustom(TColor color);
    void Insert(int code);
    // "Select" and "Unselect" both toggle the clicked square.
    void ToggleSelection();

private:
    bool OnSelection() const { return click_.Selected; }

    TDiagramBoard& board_;
    TRightClick click_;
};

}  // namespace vorlix
