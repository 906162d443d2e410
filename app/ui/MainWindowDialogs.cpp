// The main window's commands that open other windows: help, tips and the
// board and header/footer dialogs.
#include <optional>

#include "app/ui/MainWindow.h"
#include "app/ui/TipForm.h"
#include "board/ui/BoardSettingsDialog.h"
#include "board/ui/HeaderDialog.h"
#include "common/ui/Hourglass.h"
#include "help/ui/Help.h"
#include "settings/AppPaths.h"
#include "settings/Settings.h"

namespace vorlix {

void TMainWindow::mnuHelpContentsClick() { ShowHelpContents(); }
void TMainWindow::mnuHelpSearchClick() { ShowHelpIndex(); }
void TMainWindow::mnuHelpHowToClick() { ShowHelpOnHelp(); }
void TMainWindow::mnuHelpQuickStartClick() { ShowHelpTopic(kQuickStartContext); }

void TMainWindow::mnuConfigureBoardClick() {
    if (!MainWindowFocused()) return;
    TBoardSettingsDialog dialog(diagram_.Board, settings_.HighLight, TAppPaths::WorkingFolder(), this);
    dialog.BackGroundPath = settings_.BackGroundPath;
    dialog.OnConfirm = [](const QString& question) {
        return SoundMessageDlg(question, TMsgDlgType::mtConfirmation, QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
    };
    dialog.OnError = [](const QString& message) { SoundMessageDlg(message, TMsgDlgType::mtError, QMessageBox::Ok); };
    dialog.OnScratchImage = [this](const QString& fileName) { AddScratchImage(fileName); };
    dialog.ShowTheme(settings_.Theme);
    dialog.OnApplied = [this, &dialog] {
        settings_.SaveHighlighting();
        if (settings_.Theme != dialog.ThemeName()) {
            settings_.Theme = dialog.ThemeName();
            settings_.SaveTheme();
        }
        if (settings_.ShowSideToMove != diagram_.Board.ShowSideToMove()) {
            settings_.ShowSideToMove = diagram_.Board.ShowSideToMove();
            settings_.SaveShowSideToMove();
        }
        MarkModified();
    };
    dialog.exec();
    settings_.BackGroundPath = dialog.BackGroundPath;
}

void TMainWindow::mnuConfigureHeaderClick() { EditHeaderFooter(true); }
void TMainWindow::mnuConfigureFooterClick() { EditHeaderFooter(false); }

void TMainWindow::EditHeaderFooter(bool header) {
    if (!MainWindowFocused()) return;
    std::optional<THourglass> wait(std::in_place);  // while the dialog opens
    THeaderDialog dialog(header ? THeaderKind::Header : THeaderKind::Footer, header ? diagram_.Header : diagram_.Footer,
                         diagram_.Board, this);
    dialog.OnApplied = [this] { MarkModified(); };
    wait.reset();
    dialog.exec();
}

void TMainWindow::mnuHelpTipsClick() {
    tipForm_->show();
    tipForm_->raise();
}

}  // namespace vorlix
