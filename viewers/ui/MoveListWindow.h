#pragma once
// "Move List": a tool window beside the PGN viewer with the loaded game's
// moves in pairs. It follows every replay step, jumps on a click and prints
// the game's tags and moves.
#include <QWidget>

#include "viewers/MoveGrid.h"

class QAction;
class QMenu;
class QMenuBar;
class QPrinter;
class QTableWidget;

namespace vorlix {

class TPgnViewer;

class TMoveListWindow : public QWidget {
    Q_OBJECT
public:
    explicit TMoveListWindow(TPgnViewer& viewer);

    // Fills the grid from the viewer's loaded game; disabled without one.
    void Fill();
    // Writes the moves again in the notation of the settings, keeping the
    // replay where it is.
    void ShowNotation();
    // Selects the cell of the current position.
    void SelectCurrentCell();
    // Shows the window beside the viewer.
    void ShowBeside();
    // Prints the loaded game on a printer already set up (no dialog).
    void PrintGame(QPrinter& printer);

    const TMoveGrid& Grid() const { return grid_; }
    bool FocusedCellHighlighted() const { return highlightFocused_; }
    QTableWidget* sgrMoves() const { return FsgrMoves; }
    QAction* mnuSetup() const { return FmnuSetup; }
    QAction* mnuLayout() const { return FmnuLayout; }
    QAction* mnuPrint() const { return FmnuPrint; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMenuBar* CreateMenu();
    void SizeColumns();
    void CurrentCellChanged(int row, int column);
    void CellClicked(int row, int column);
    bool ArrowKey(int key);
    void SetHighlightFocused(bool on);
    void mnuSetupClick();
    void mnuLayoutClick();
    void mnuPrintClick();

    TPgnViewer& viewer_;
    TMoveGrid grid_;
    bool filling_ = false;
    bool highlightFocused_ = true;
    QTableWidget* FsgrMoves = nullptr;
    QAction *FmnuSetup = nullptr, *FmnuLayout = nullptr, *FmnuPrint = nullptr;
};

// Where the move list goes beside a viewer's frame on a screen: right of it,
// centred vertically (between the screen top and 40 pixels above its bottom);
// left of it when the right side has no room; centred on it when neither has.
// With a keepFree (the main window), a place beside the viewer or beside
// keepFree that covers neither comes first.
QPoint MoveListPlace(const QRect& viewerFrame, QSize ownSize, const QRect& screen, const QRect& keepFree = QRect());

}  // namespace vorlix
