#include "board/ui/ApplyDefaultsButtons.h"

#include <QDialogButtonBox>
#include <QPushButton>

namespace vorlix {

TApplyDefaultsButtons MakeApplyDefaultsButtons(QWidget* dialog) {
    TApplyDefaultsButtons buttons;
    buttons.Box = new QDialogButtonBox(dialog);
    // Apply takes the value and closes, as OK does: the box places it there.
    buttons.Apply = buttons.Box->addButton("&Apply", QDialogButtonBox::AcceptRole);
    buttons.Defaults = buttons.Box->addButton("&Defaults", QDialogButtonBox::ResetRole);
    buttons.Cancel = buttons.Box->addButton("&Cancel", QDialogButtonBox::RejectRole);
    buttons.Apply->setDefault(true);
    return buttons;
}

}  // namespace vorlix
