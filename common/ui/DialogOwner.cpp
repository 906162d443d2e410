#include "common/ui/DialogOwner.h"

#include <QApplication>

namespace vorlix {

QWidget* DialogOwner(QWidget* fallback) {
    // A running modal dialog comes first: right after a message box closes the
    // desktop may not yet have handed activation back to it.
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    QWidget* active = QApplication::activeWindow();
    return active ? active : fallback;
}

bool StaysOnTop(const QWidget* window) {
    for (const QWidget* w = window ? window->window() : nullptr; w;
         w = w->parentWidget() ? w->parentWidget()->window() : nullptr)
        if (w->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) return true;
    return false;
}

TDialogOwnerScope::TDialogOwnerScope(QWidget& dialog, QWidget* owner)
    : dialog_(dialog), ownParent_(dialog.parentWidget()) {
    if (!owner || owner == ownParent_ || owner == &dialog) return;
    dialog_.setParent(owner, dialog_.windowFlags());
    lent_ = true;
}

TDialogOwnerScope::~TDialogOwnerScope() {
    if (lent_) dialog_.setParent(ownParent_, dialog_.windowFlags());
}

}  // namespace vorlix
