#pragma once
// Editing the main window's board by mouse and keyboard: insert mode of the
// pieces toolbar, typed keys, the editing items of the Board menu with their
// enabling, the board's pop-up menu popBoard, promotion of a dragged pawn.
// Every change ends in the main window's MarkModified.
#include <QHash>
#include <QObject>
#include <functional>
#include <optional>

#include "app/BoardEditRules.h"
#include "board/Colors.h"
#include "files/BoardMarks.h"

class QAction;
class QKeyEvent;
class QMenu;
class QToolButton;

namespace vorlix {

class TAppSettings;
class TBoardControl;
class TMainWindow;
class TDiagramBoard;

class TBoardEditor : public QObject {
    Q_OBJECT
public:
    TBoardEditor(TMainWindow& window, TAppSettings& settings, TBoardControl& control,
                 const std::vector<QToolButton*>& pieceButtons);
    ~TBoardEditor() override;

    QMenu* popBoard() const { return FpopBoard; }
    const TRightClick& RightClick() const { return rightClick_; }

    // A key press that reached the main window; true when it was an editing key.
    bool KeyPress(const QKeyEvent& event);
    // A piece button was clicked: in selection mode its piece goes on the selection.
    void PieceButtonClick(QToolButton* button);
    // Enables the Board menu's editing items by the selection.
    void UpdateBoardMenu();

    // The full colour dialog; replaceable (scripted runs, tests).
    using TColorChooser = std::function<std::optional<TColor>(TColor initial)>;
    void SetColorChooser(TColorChooser chooser) { chooseColor_ = std::move(chooser); }

private:
    // Board events.
    void ConnectBoard();
    void BoardMouseDown();
    void BoardLeftClick(QPoint square);
    void BoardRightClick(const TRightClick& click, QPoint pos);
    void BoardPromotion(int& piece, bool& cancel);
    void BoardMarkDrawn(int from, int to, TMarkColor color);
    QToolButton* DownPieceButton() const;

    // The Board menu.
    void ConnectBoardMenu();
    void ApplyMenuState(const TEditMenuState& state, const QString& prefix, bool popup);
    void EditSelection(const std::function<void()>& edit);
    void HighlightOption(int index);
    void HighlightCustom();

    // The pop-up menu.
    void CreatePopupMenu();
    QAction* AddPopupItem(QMenu* menu, const QString& name, const QString& caption, const QString& hint,
                          std::function<void()> handler);
    void AddMirrorItem(QMenu* menu, const QString& name, const QString& caption, const QString& mainItem);
    void popBoardPopup();
    void PopupEdit(const std::function<void(TPopupEdits&)>& edit);
    void PopupCustomColor();

    TMainWindow& window_;
    TAppSettings& settings_;
    TDiagramBoard& board_;
    TBoardControl& control_;
    std::vector<QToolButton*> pieceButtons_;
    QMenu* FpopBoard = nullptr;
    TRightClick rightClick_;
    TColor customColor_ = clWhite;
    TColorChooser chooseColor_;
    QHash<QString, QAction*> items_;
};

}  // namespace vorlix
