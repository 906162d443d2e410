#include "board/ui/StyleDialogButtons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace vorlix {

TStyleDialogButtons AddStyleDialogButtons(QDialog* dialog, QBoxLayout* column) {
    TStyleDialogButtons buttons;
    buttons.Row = new QHBoxLayout;
    auto add = [&](const char* name, const char* caption) {
        auto* button = new QPushButton(caption, dialog);
        button->setObjectName(name);
        button->setAutoDefault(false);
        return button;
    };
    buttons.Defaults = add("btnDefaults", "&Defaults");
    buttons.Cancel = add("btnCancel", "&Cancel");
    buttons.Apply = add("btnApply", "&Apply");
    buttons.Apply->setDefault(true);
    buttons.Row->addWidget(buttons.Defaults);
    buttons.Row->addStretch(1);
    buttons.Row->addWidget(buttons.Cancel);
    buttons.Row->addWidget(buttons.Apply);
    column->addLayout(buttons.Row);
    QObject::connect(buttons.Cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return buttons;
}

}  // namespace vorlix
