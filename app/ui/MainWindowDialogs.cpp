// The main window's commands that open other windows: help, tips and the
// board and header/footer dialogs.
#include <optional>

#include "settings/AppPaths.h"
#include "settings/Settings.h"
#include "app/ui/MainWindow.h"
#include "common/ui/Hourglass.h"
#include "app/ui/TipForm.h"
#include "board/ui/BrdSettingsDialog.h"
#include "board/ui/HeaderDialog.h"
#include "help/ui/Help.h"

namespace vorlix {

void TfrmQuenlix::mnuHelpContentsClick() { ShowHelpContents(); }
void TfrmQuenlix::mnuHelpSearchClick() { ShowHelpIndex(); }
void TfrmQuenlix::mnuHelpHowToClick() { ShowHelpOnHelp(); }
void TfrmQuenlix::mnuHelpQuickStartClick() { ShowHelpTopic(kQuickStartContext); }

void TfrmQuenlix::mnuConfigureBoardClick() {
    if (!MainWindowFocused()) return;
    TfrmBrdSettings dialog(FDiagram.Board, FSettings.HighLight, TAppPaths::WorkingFolder(), this);
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

void TfrmQuenlix::mnuConfigureHeaderClick() { EditHeaderFooter(true); }
void TfrmQuenlix::mnuConfigureFooterClick() { EditHeaderFooter(false); }

void TfrmQuenlix::EditHeaderFooter(bool header) {
    if (!MainWindowFocused()) return;
    std::optional<THourglass> wait(std::in_place);  // while the dialog opens
    TfrmHeader dialog(header ? THeaderKind::Header : THeaderKind::Footer, header ? FDiagram.Header : FDiagram.Footer,
                      FDiagram.Board, this);
    dialog.OnApplied = [this] { MarkModified(); };
    wait.reset();
    dialog.exec();
}

void TfrmQuenlix::mnuHelpTipsClick() {
    FTipForm->show();
    FTipForm->raise();
}

}  // namespace vorlix
