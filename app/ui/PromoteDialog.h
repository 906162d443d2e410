#pragma once
// "Promotion": which piece a pawn dropped on its last rank becomes.
#include <QDialog>

class QToolButton;

namespace vorlix {

class TDiagramBoard;

class TPromoteDialog : public QDialog {
    Q_OBJECT
public:
    // PieceCode is the queen of the promoting side (2 or 8). The dialog starts
    // cancelled, so closing it without a choice cancels the move.
    TPromoteDialog(const TDiagramBoard& board, int pieceCode, QWidget* mainWindow);

    int PieceCode() const { return pieceCode_; }
    bool Cancel() const { return cancel_; }

    QToolButton* btnQueen() const { return FbtnQueen; }
    QToolButton* btnRook() const { return FbtnRook; }
    QToolButton* btnBishop() const { return FbtnBishop; }
    QToolButton* btnKnight() const { return FbtnKnight; }
    QToolButton* btnCancel() const { return FbtnCancel; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QToolButton* MakeButton(const QString& caption, const QString& name);
    void DrawGlyphs(const TDiagramBoard& board);
    void Choose(int offset);
    void btnCancelClick();

    QWidget* mainWindow_;
    int pieceCode_;
    bool cancel_ = true;
    QToolButton* FbtnQueen;
    QToolButton* FbtnRook;
    QToolButton* FbtnBishop;
    QToolButton* FbtnKnight;
    QToolButton* FbtnCancel;
};

}  // namespace vorlix
