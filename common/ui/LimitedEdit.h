#pragma once
// A named one-line edit field that takes at most maxLength characters.
#include <QLineEdit>

namespace vorlix {

inline QLineEdit* LimitedEdit(const char* name, int maxLength, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    return edit;
}

}  // namespace vorlix
