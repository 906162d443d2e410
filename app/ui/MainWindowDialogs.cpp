// The main window's commands that open other windows: help, tips and the
// board and header/footer dialogs.
#include "app/ui/MainWindow.h"
#include "help/ui/Help.h"

namespace vorlix {

void TfrmQuenlix::mnuHelpContentsClick() { ShowHelpContents(); }
void TfrmQuenlix::mnuHelpSearchClick() { ShowHelpIndex(); }
void TfrmQuenlix::mnuHelpHowToClick() { ShowHelpOnHelp(); }
void TfrmQuenlix::mnuHelpQuickStartClick() { ShowHelpTopic(kQuickStartContext); }

}  // namespace vorlix
