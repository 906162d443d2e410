// The main window's commands that open other windows: help, tips and the
// board and header/footer dialogs.
#include "app/AppPaths.h"
#include "app/Settings.h"
#include "app/ui/MainWindow.h"
#include "board/ui/BrdSettingsDialog.h"
#include "help/ui/Help.h"

namespace vorlix {

void TfrmQuenlix::mnuHelpContentsClick() { ShowHelpContents(); }
void TfrmQuenlix::mnuHelpSearchClick() { ShowHelpIndex(); }
void TfrmQuenlix::mnuHelpHowToClick() { ShowHelpOnHelp(); }
void TfrmQuenlix::mnuHelpQuickStartClick() { ShowHelpTopic(kQuickStartContext); }

void TfrmQuenlix::mnuConfigureBoardClick() {
    if (!MainWindowFocused()) return;
    TfrmBrdSettings dialog(FBoard, FSettings.HighLight, TAppPaths::WorkingFolder(), this);
    dialog.BackGroundPath = FSettings.BackGroundPath;
    dialog.OnConfirm = [](const QString& question) {
        return SoundMessageDlg(question, TMsgDlgType::mtConfirmation, QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
    };
    dialog.OnError = [](const QString& message) {
        SoundMessageDlg(message, TMsgDlgType::mtError, QMessageBox::Ok);
    };
    dialog.OnScratchImage = [this](const QString& fileName) { AddScratchImage(fileName); };
    dialog.OnApplied = [this] {
        FSettings.SaveHighlighting();
        MarkModified();
    };
    dialog.exec();
    FSettings.BackGroundPath = dialog.BackGroundPath;
}

}  // namespace vorlix
