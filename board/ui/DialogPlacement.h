#pragma once
// Every dialog of the application centres itself on the main window when it shows.
class QWidget;

namespace vorlix {

// left = main left + (main width - own width) / 2, top likewise, truncating toward zero.
void CentreOnWindow(QWidget* dialog, const QWidget* mainWindow);

}  // namespace vorlix
