#pragma once
// The "&Apply", "&Defaults" and "&Cancel" buttons of the small settings
// dialogs, in the order of the desktop the program runs on, the same in every
// dialog. Apply is the default button.
class QDialogButtonBox;
class QPushButton;
class QWidget;

namespace vorlix {

struct TApplyDefaultsButtons {
    QDialogButtonBox* Box = nullptr;
    QPushButton* Apply = nullptr;
    QPushButton* Defaults = nullptr;
    QPushButton* Cancel = nullptr;
};

TApplyDefaultsButtons MakeApplyDefaultsButtons(QWidget* dialog);

}  // namespace vorlix
