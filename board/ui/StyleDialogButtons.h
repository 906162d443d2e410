#pragma once
// The button row that both style dialogs end with: "&Defaults" on the left,
// "&Cancel" and "&Apply" (the default button) on the right.
class QBoxLayout;
class QDialog;
class QHBoxLayout;
class QPushButton;

namespace vorlix {

struct TStyleDialogButtons {
    QHBoxLayout* Row = nullptr;
    QPushButton* Defaults = nullptr;
    QPushButton* Cancel = nullptr;  // rejects the dialog
    QPushButton* Apply = nullptr;
};

TStyleDialogButtons AddStyleDialogButtons(QDialog* dialog, QBoxLayout* column);

}  // namespace vorlix
