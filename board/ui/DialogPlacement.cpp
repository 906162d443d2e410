#include "board/ui/DialogPlacement.h"

#include <QWidget>

namespace vorlix {

void CentreOnWindow(QWidget* dialog, const QWidget* mainWindow) {
    if (!dialog || !mainWindow) return;
    const QRect main = mainWindow->frameGeometry();
    const QSize own = dialog->frameGeometry().size();
    dialog->move(main.left() + (main.width() - own.width()) / 2, main.top() + (main.height() - own.height()) / 2);
}

}  // namespace vorlix
