#pragma once
// Dialogs belong to the window they were opened from. A window kept on top
// (the archive viewers, the tips) would otherwise cover the dialogs it opens,
// since the desktop stacks a dialog only above the window it belongs to.
#include <QPointer>
#include <QWidget>

namespace vorlix {

// The running modal dialog, else the window the user is working in, else the
// fallback.
QWidget* DialogOwner(QWidget* fallback);

// True when the window, or a window it belongs to, is kept above the others.
bool StaysOnTop(const QWidget* window);

// Lends a long-lived dialog to another window while it runs and gives it back
// to its own parent afterwards, so the borrower's end never deletes it.
class TDialogOwnerScope {
public:
    TDialogOwnerScope(QWidget& dialog, QWidget* owner);
    ~TDialogOwnerScope();
    TDialogOwnerScope(const TDialogOwnerScope&) = delete;
    TDialogOwnerScope& operator=(const TDialogOwnerScope&) = delete;

private:
    QWidget& dialog_;
    QPointer<QWidget> ownParent_;
    bool lent_ = false;
};

}  // namespace vorlix
