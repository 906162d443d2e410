// The commands of the main window that act on the diagram and the settings.
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QUrl>

#include "app/Clipboard.h"
#include "app/FileDialogFilters.h"
#include "app/Tips.h"
#include "app/ui/AnimationDialog.h"
#include "app/ui/JpgQualityDialog.h"
#include "app/ui/MainWindow.h"
#include "batch/ui/ColorDepthChoice.h"
#include "batch/ui/ImageFileDialog.h"
#include "board/DiagramFile.h"
#include "board/UndoList.h"
#include "board/ui/FileFilters.h"
#include "common/ui/Hourglass.h"
#include "common/ui/SoundPlayer.h"
#include "export/DiagramImage.h"
#include "export/ImageExport.h"
#include "export/ScalableExport.h"
#include "settings/FileExtension.h"
#include "settings/Settings.h"

namespace vorlix {
namespace {

QString FolderOf(const QString& fileName) { return QFileInfo(fileName).absolutePath() + "/"; }

bool ConfirmReplace(const QString& fileName) {
    if (!QFileInfo::exists(fileName)) return true;
    return SoundMessageDlg(fileName + "\nThis file already exists.\n\nReplace existing file?", TMsgDlgType::mtWarning,
                           QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace

bool TMainWindow::MainWindowFocused() const { return QApplication::activeWindow() == this; }

void TMainWindow::spbSaveImgClick() {
    TImageFileDialog& dialog = *imageFileDialog_;
    dialog.SetFilter(kScalableImageSaveFilter);
    dialog.SetInitialDir(settings_.SavePath);
    dialog.SetImageSettings(settings_.JPGQuality, settings_.ImageScale);
    dialog.SetPdfAsPages(false);
    if (!dialog.Execute()) return;
    const QString fileName = ForceExtension(dialog.FileName(), ExtensionOfImageFilter(dialog.FilterIndex()));
    dialog.SetFileName(fileName);
    SaveImageTo(fileName, dialog.ImageOptions());
}

bool TMainWindow::SaveImageTo(const QString& fileName, int filterIndex, int colorIndex, bool transparent) {
    TImageOptions choice;
    choice.Format = ImageFormatOfFilter(filterIndex);
    choice.ColorIndex = colorIndex;
    choice.Transparent = transparent;
    choice.Quality = settings_.JPGQuality;
    choice.ScaleIndex = settings_.ImageScale;
    return SaveImageTo(fileName, choice);
}

bool TMainWindow::SaveImageTo(const QString& fileName, const TImageOptions& choice) {
    THourglass hourglass;
    if (!ConfirmReplace(fileName)) return false;
    const TImageFormat format = choice.Format;
    const int colorIndex = choice.ColorIndex;
    const bool transparent = choice.Transparent;
    const bool scalable = IsScalableFormat(format);
    const QImage image = scalable ? QImage() : RenderDiagramImage(diagram_, choice.ScaleIndex);
    PlayWave("camra2.wav");
    settings_.SavePath = FolderOf(fileName);
    imageFileDialog_->SetInitialDir(settings_.SavePath);

    if (scalable) {
        TScalableOptions options;
        options.Format = format;
        options.Scale = choice.Scale.value_or(ImageScaleFactor(choice.ScaleIndex));
        options.Transparent = transparent && format == TImageFormat::Png;
        return SaveScalableImage(diagram_, fileName, options, reporter_);
    }
    TImageSaveOptions options;
    options.Format = format;
    options.ColorIndex = options.Format == TImageFormat::Jpeg ? ciTrueColor : colorIndex;
    options.Quality = choice.Quality;
    if (options.Format == TImageFormat::Gif && transparent)
        options.TransparentCorner = FindTransparentCorner(image, TransparencyRuleOf(diagram_));
    return SaveDiagramImage(image, fileName, options, reporter_);
}

bool TMainWindow::QuerySaveChanges() {
    if (!diagramModified_) return true;
    const QString question = currentFileName_.isEmpty()
                                 ? QString("Save changes to current diagram ?")
                                 : "Save changes to  " + QFileInfo(currentFileName_).fileName() + " ?";
    switch (SoundMessageDlg(question, TMsgDlgType::mtConfirmation,
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
        case QMessageBox::Yes: return SaveDiagram();
        case QMessageBox::No: return true;
        default: return false;
    }
}

bool TMainWindow::SaveDiagram() {
    return currentFileName_.isEmpty() ? SaveDiagramAs() : WriteDiagram(currentFileName_);
}

bool TMainWindow::SaveDiagramAs() {
    if (PgnViewer().ArchiveVisible()) PgnViewer().StopAutoReplay();
    QFileDialog dialog(this, "Save As");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    SetFileDialogFilters(dialog, kDiagramFilter);
    dialog.setDirectory(currentFileName_.isEmpty() ? settings_.SaveVXDPath : FolderOf(currentFileName_));
    // A new diagram is offered the name the dialog held last.
    if (!currentFileName_.isEmpty())
        dialog.selectFile(currentFileName_);
    else if (!saveAsName_.isEmpty())
        dialog.selectFile(QFileInfo(saveAsName_).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    const QString fileName = ForceExtension(dialog.selectedFiles().first(), ".VXD");
    saveAsName_ = fileName;
    settings_.SaveVXDPath = FolderOf(fileName);
    if (!ConfirmReplace(fileName)) return false;
    return WriteDiagram(fileName);
}

bool TMainWindow::WriteDiagram(const QString& fileName) {
    THourglass hourglass;
    try {
        SaveDiagramFile(diagram_, fileName, kAppVersion);
    } catch (const std::exception& error) {
        reporter_.Report(TMsgKind::Error, error.what());
        return false;
    }
    settings_.SaveVXDPath = FolderOf(fileName);
    AddRecent(TRecentKind::Diagram, fileName);
    currentFileName_ = fileName;
    diagramModified_ = false;
    UpdateCaption();
    RestartHistory();
    return true;
}

bool TMainWindow::OpenDiagramFile(const QString& fileName) {
    if (!QuerySaveChanges()) return false;
    THourglass hourglass;
    // Unlike the default diagram, a file the user named is reported when it is missing.
    if (!LoadDiagramFile(fileName, diagram_, reporter_)) return false;
    currentFileName_ = QFileInfo(fileName).absoluteFilePath();
    diagramModified_ = false;
    UpdateCaption();
    RestartHistory();
    return true;
}

void TMainWindow::NewDiagram() {
    if (!QuerySaveChanges()) return;
    LoadDefaultDiagram();
    diagramModified_ = false;
    currentFileName_.clear();
    UpdateCaption();
    RestartHistory();
}

void TMainWindow::mnuFileNewClick() { NewDiagram(); }
void TMainWindow::mnuFileSaveClick() { SaveDiagram(); }
void TMainWindow::mnuFileSaveAsClick() { SaveDiagramAs(); }
void TMainWindow::mnuFileExitClick() { close(); }

void TMainWindow::mnuEditUndoClick() {
    undoList_->Undo(diagram_);
    UpdateCommandStates();
}

void TMainWindow::mnuEditRedoClick() {
    undoList_->Redo(diagram_);
    UpdateCommandStates();
}

bool TMainWindow::CopyDiagramToClipboard() {
    THourglass hourglass;
    return clipboard_->Copy(diagram_.Board, settings_.ClipboardFormat, [this] {
        const QImage image = RenderDiagramImage(diagram_, settings_.ImageScale);
        PlayWave("camra2.wav");
        return image;
    });
}

void TMainWindow::mnuEditCopyClick() {
    if (MainWindowFocused()) CopyDiagramToClipboard();
}

void TMainWindow::mnuEditCutClick() {
    // A diagram that did not reach the clipboard is not taken off the board.
    if (!MainWindowFocused() || !CopyDiagramToClipboard()) return;
    diagram_.Board.ClearBoard();
    diagram_.Board.Refresh();
    diagramModified_ = true;
    undoList_->Push(diagram_);
    UpdateCaption();
    UpdateCommandStates();
}

void TMainWindow::mnuEditPasteClick() {
    if (!MainWindowFocused() || !clipboard_->Paste(diagram_.Board)) return;
    diagram_.Board.Refresh();
    MarkModified();
}

void TMainWindow::spbPasteClick() {
    if (clipboard_->HoldsText()) mnuEditPasteClick();
}

void TMainWindow::mnuEditEmptyClipboardClick() { clipboard_->Empty(); }

void TMainWindow::mnuClipboardFormatClick(int index) {
    settings_.ClipboardFormat = index;
    settings_.SaveClipboardFormat();
}

void TMainWindow::mnuAnimateMovesClick() {
    settings_.Animate = !settings_.Animate;
    diagram_.Board.SetAnimate(settings_.Animate);
    settings_.SaveAnimate();
}

void TMainWindow::mnuAnimationSpeedClick() {
    TAnimationDialog dialog(
        settings_.AnimationSpeed,
        [this](int speed) {
            settings_.AnimationSpeed = speed;
            settings_.SaveAnimationSpeed();
            diagram_.Board.SetAnimationSpeed(speed);
        },
        this);
    dialog.exec();
}

void TMainWindow::mnuJPGQualityClick() {
    TJpgQualityDialog* dialog;
    {
        THourglass hourglass;
        dialog = new TJpgQualityDialog(settings_, this);
    }
    dialog->exec();
    delete dialog;
}

void TMainWindow::SetImageScale(int index) {
    if (index < 0 || index >= imageScales_->actions().size()) return;
    settings_.ImageScale = index;
    imageScales_->actions().at(index)->setChecked(true);
    settings_.SaveScales();
}

void TMainWindow::SetPrintScale(int index) {
    if (index < 0 || index >= printScales_->actions().size()) return;
    settings_.PrintScale = index;
    printScales_->actions().at(index)->setChecked(true);
    settings_.SaveScales();
}

void TMainWindow::mnuImageScaleClick(int index) { SetImageScale(index); }
void TMainWindow::mnuPrintScaleClick(int index) { SetPrintScale(index); }
void TMainWindow::mnuCommandsToolbarClick() { ShowCommandsToolbar(FpnlToolbar->isHidden()); }
void TMainWindow::mnuPiecesToolbarClick() { ShowPiecesToolbar(FpnlFakeCoolBar->isHidden()); }

void TMainWindow::mnuPlaySoundsClick() {
    settings_.PlaySounds = !settings_.PlaySounds;
    TSoundPlayer::Instance().SetSoundsOn(settings_.PlaySounds);
    settings_.SavePlaySounds();
}

void TMainWindow::mnuClearBoardClick() {
    THourglass hourglass;
    diagram_.Board.UnselectAll();
    diagram_.Board.ClearBoard();
    diagram_.Board.Refresh();
    MarkModified();
}

void TMainWindow::mnuInvertBoardClick() {
    if (!MainWindowFocused()) return;
    diagram_.Board.SetView(diagram_.Board.View() == vwWhiteUnder ? vwBlackUnder : vwWhiteUnder);
    MarkModified();
}

void TMainWindow::mnuStartingPositionClick() {
    if (!MainWindowFocused()) return;
    diagram_.Board.UnselectAll();
    diagram_.Board.SetStartPosition();
    diagram_.Board.Refresh();
    MarkModified();
}

void TMainWindow::mnuPieceStyleClick(int index) {
    THourglass hourglass;
    diagram_.Board.SetPieceStyle(static_cast<TPieceStyle>(index));
    // Choosing the style in force still counts as an edit.
    diagramModified_ = true;
    undoList_->Push(diagram_);
    UpdateCaption();
    UpdateCommandStates();
}

void TMainWindow::mnuSideToMoveClick(int index) {
    const TSideToMove side = index == 0 ? TSideToMove::White : index == 1 ? TSideToMove::Black : TSideToMove::None;
    if (side == diagram_.Board.SideToMove()) return;
    diagram_.Board.SetSideToMove(side);
    diagram_.Board.Refresh();
    MarkModified();
    // The mark is off by default; without this the choice would seem to do nothing.
    if (side != TSideToMove::None && !diagram_.Board.ShowSideToMove())
        statusPanels_[0]->setText(QString("%1 to move: Configure, Board..., \"Show Side to Move\" draws it")
                                      .arg(side == TSideToMove::White ? "White" : "Black"));
}

void TMainWindow::mnuWebPageClick() {
    if (!QDesktopServices::openUrl(QUrl(kHomePage)))
        SoundMessageDlg("Could not launch browser...", TMsgDlgType::mtError, QMessageBox::Ok);
}

void TMainWindow::mnuEmailClick() {
    if (!QDesktopServices::openUrl(QUrl(kMailAddress)))
        SoundMessageDlg("Could not launch email client...", TMsgDlgType::mtError, QMessageBox::Ok);
}

}  // namespace vorlix
