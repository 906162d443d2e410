// The commands of the main window that act on the diagram and the settings.
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "app/Clipboard.h"
#include "settings/FileExtension.h"
#include "app/FileDialogFilters.h"
#include "settings/Settings.h"
#include "app/Tips.h"
#include "common/ui/Hourglass.h"
#include "app/ui/JpgQualityDialog.h"
#include "app/ui/MainWindow.h"
#include "common/ui/PlayWave.h"
#include "batch/ui/ColorDepthChoice.h"
#include "batch/ui/KXSaveDialog.h"
#include "board/DiagramFile.h"
#include "board/UndoList.h"
#include "board/ui/FileFilters.h"
#include "export/DiagramImage.h"
#include "export/ImageExport.h"
#include "export/ScalableExport.h"
#include "app/ui/AnimationDialog.h"

namespace vorlix {
namespace {


QString FolderOf(const QString& fileName) { return QFileInfo(fileName).absolutePath() + "/"; }

bool ConfirmReplace(const QString& fileName) {
    if (!QFileInfo::exists(fileName)) return true;
    return SoundMessageDlg(fileName + "\nThis file already exists.\n\nReplace existing file?",
                           TMsgDlgType::mtWarning, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace

bool TfrmQuenlix::MainWindowFocused() const { return QApplication::activeWindow() == this; }

void TfrmQuenlix::spbSaveImgClick() {
    TKXSaveDialog& dialog = *FKXSaveDialog1;
    dialog.SetFilter(kScalableImageSaveFilter);
    dialog.SetInitialDir(FSettings.SavePath);
    if (!dialog.Execute()) return;
    const QString fileName = ForceExtension(dialog.FileName(), ExtensionOfImageFilter(dialog.FilterIndex()));
    dialog.SetFileName(fileName);
    SaveImageTo(fileName, dialog.FilterIndex(), dialog.ColorIndex(), dialog.Transparent());
}

bool TfrmQuenlix::SaveImageTo(const QString& fileName, int filterIndex, int colorIndex, bool transparent) {
    THourglass hourglass;
    if (!ConfirmReplace(fileName)) return false;
    const TImageFormat format = ImageFormatOfFilter(filterIndex);
    const bool scalable = IsScalableFormat(format);
    const QImage image = scalable ? QImage() : RenderDiagramImage(FBoard, FHeader, FFooter, FSettings.ImageScale);
    PlayWave("camra2.wav");
    FSettings.SavePath = FolderOf(fileName);
    FKXSaveDialog1->SetInitialDir(FSettings.SavePath);

    if (scalable) {
        TScalableOptions options;
        options.Format = format;
        options.Scale = ImageScaleFactor(FSettings.ImageScale);
        options.Transparent = transparent && format == TImageFormat::Png;
        return SaveScalableImage(FBoard, FHeader, FFooter, fileName, options, FReporter);
    }
    TImageSaveOptions options;
    options.Format = format;
    options.ColorIndex = options.Format == TImageFormat::Jpeg ? ciTrueColor : colorIndex;
    options.Quality = FSettings.JPGQuality;
    if (options.Format == TImageFormat::Gif && transparent)
        options.TransparentCorner = FindTransparentCorner(image, TransparencyRuleOf(FBoard, FHeader, FFooter));
    return SaveDiagramImage(image, fileName, options, FReporter);
}

bool TfrmQuenlix::QuerySaveChanges() {
    if (!FDiagramModified) return true;
    const QString question = FCurrentFileName.isEmpty()
                                 ? QString("Save changes to current diagram ?")
                                 : "Save changes to  " + QFileInfo(FCurrentFileName).fileName() + " ?";
    switch (SoundMessageDlg(question, TMsgDlgType::mtConfirmation,
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
        case QMessageBox::Yes: return SaveDiagram();
        case QMessageBox::No: return true;
        default: return false;
    }
}

bool TfrmQuenlix::SaveDiagram() {
    return FCurrentFileName.isEmpty() ? SaveDiagramAs() : WriteDiagram(FCurrentFileName);
}

bool TfrmQuenlix::SaveDiagramAs() {
    if (PgnViewer().ArchiveVisible()) PgnViewer().StopAutoReplay();
    QFileDialog dialog(this, "Save As");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    SetFileDialogFilters(dialog, kDiagramFilter);
    dialog.setDirectory(FCurrentFileName.isEmpty() ? FSettings.SaveVXDPath : FolderOf(FCurrentFileName));
    // A new diagram is offered the name the dialog held last.
    if (!FCurrentFileName.isEmpty())
        dialog.selectFile(FCurrentFileName);
    else if (!FSaveAsName.isEmpty())
        dialog.selectFile(QFileInfo(FSaveAsName).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    const QString fileName = ForceExtension(dialog.selectedFiles().first(), ".VXD");
    FSaveAsName = fileName;
    FSettings.SaveVXDPath = FolderOf(fileName);
    if (!ConfirmReplace(fileName)) return false;
    return WriteDiagram(fileName);
}

bool TfrmQuenlix::WriteDiagram(const QString& fileName) {
    THourglass hourglass;
    try {
        FBoard.SaveToFile(fileName, kAppVersion, FFooter, FHeader);
    } catch (const std::exception& error) {
        FReporter.Report(TMsgKind::Error, error.what());
        return false;
    }
    FSettings.SaveVXDPath = FolderOf(fileName);
    AddRecent(TRecentKind::Diagram, fileName);
    FCurrentFileName = fileName;
    FDiagramModified = false;
    UpdateCaption();
    RestartHistory();
    return true;
}

bool TfrmQuenlix::OpenDiagramFile(const QString& fileName) {
    if (!QuerySaveChanges()) return false;
    THourglass hourglass;
    // Unlike the default diagram, a file the user named is reported when it is missing.
    if (!LoadDiagramFile(fileName, FBoard, FHeader, FFooter, FReporter)) return false;
    FCurrentFileName = QFileInfo(fileName).absoluteFilePath();
    FDiagramModified = false;
    UpdateCaption();
    RestartHistory();
    return true;
}

void TfrmQuenlix::NewDiagram() {
    if (!QuerySaveChanges()) return;
    LoadDefaultDiagram();
    FDiagramModified = false;
    FCurrentFileName.clear();
    UpdateCaption();
    RestartHistory();
}

void TfrmQuenlix::mnuFileNewClick() { NewDiagram(); }
void TfrmQuenlix::mnuFileSaveClick() { SaveDiagram(); }
void TfrmQuenlix::mnuFileSaveAsClick() { SaveDiagramAs(); }
void TfrmQuenlix::mnuFileExitClick() { close(); }

void TfrmQuenlix::mnuEditUndoClick() {
    FUndoList->Undo(FBoard, FHeader, FFooter);
    UpdateCommandStates();
}

void TfrmQuenlix::mnuEditRedoClick() {
    FUndoList->Redo(FBoard, FHeader, FFooter);
    UpdateCommandStates();
}

bool TfrmQuenlix::CopyDiagramToClipboard() {
    THourglass hourglass;
    return FClipboard->Copy(FBoard, FSettings.ClipboardFormat, [this] {
        const QImage image = RenderDiagramImage(FBoard, FHeader, FFooter, FSettings.ImageScale);
        PlayWave("camra2.wav");
        return image;
    });
}

void TfrmQuenlix::mnuEditCopyClick() {
    if (MainWindowFocused()) CopyDiagramToClipboard();
}

void TfrmQuenlix::mnuEditCutClick() {
    // A diagram that did not reach the clipboard is not taken off the board.
    if (!MainWindowFocused() || !CopyDiagramToClipboard()) return;
    FBoard.ClearBoard();
    FBoard.Refresh();
    FDiagramModified = true;
    FUndoList->Push(FBoard, FHeader, FFooter);
    UpdateCaption();
    UpdateCommandStates();
}

void TfrmQuenlix::mnuEditPasteClick() {
    if (!MainWindowFocused() || !FClipboard->Paste(FBoard)) return;
    FBoard.Refresh();
    MarkModified();
}

void TfrmQuenlix::spbPasteClick() {
    if (FClipboard->HoldsText()) mnuEditPasteClick();
}

void TfrmQuenlix::mnuEditEmptyClipboardClick() { FClipboard->Empty(); }

void TfrmQuenlix::mnuClipboardFormatClick(int index) {
    FSettings.ClipboardFormat = index;
    FSettings.SaveClipboardFormat();
}

void TfrmQuenlix::mnuAnimateMovesClick() {
    FSettings.Animate = !FSettings.Animate;
    FBoard.SetAnimate(FSettings.Animate);
    FSettings.SaveAnimate();
}

void TfrmQuenlix::mnuAnimationSpeedClick() {
    TfrmAnimation dialog(FSettings.AnimationSpeed, [this](int speed) {
        FSettings.AnimationSpeed = speed;
        FSettings.SaveAnimationSpeed();
        FBoard.SetAnimationSpeed(speed);
    }, this);
    dialog.exec();
}

void TfrmQuenlix::mnuJPGQualityClick() {
    TfrmJPG* dialog;
    {
        THourglass hourglass;
        dialog = new TfrmJPG(FSettings, this);
    }
    dialog->exec();
    delete dialog;
}

void TfrmQuenlix::SetImageScale(int index) {
    if (index < 0 || index >= FImageScales->actions().size()) return;
    FSettings.ImageScale = index;
    FImageScales->actions().at(index)->setChecked(true);
    FSettings.SaveScales();
}

void TfrmQuenlix::SetPrintScale(int index) {
    if (index < 0 || index >= FPrintScales->actions().size()) return;
    FSettings.PrintScale = index;
    FPrintScales->actions().at(index)->setChecked(true);
    FSettings.SaveScales();
}

void TfrmQuenlix::mnuImageScaleClick(int index) { SetImageScale(index); }
void TfrmQuenlix::mnuPrintScaleClick(int index) { SetPrintScale(index); }
void TfrmQuenlix::mnuCommandsToolbarClick() { ShowCommandsToolbar(FpnlToolbar->isHidden()); }
void TfrmQuenlix::mnuPiecesToolbarClick() { ShowPiecesToolbar(FpnlFakeCoolBar->isHidden()); }

void TfrmQuenlix::mnuPlaySoundsClick() {
    FSettings.PlaySounds = !FSettings.PlaySounds;
    TSoundPlayer::Instance().SetSoundsOn(FSettings.PlaySounds);
    FSettings.SavePlaySounds();
}

void TfrmQuenlix::mnuClearBoardClick() {
    THourglass hourglass;
    FBoard.UnselectAll();
    FBoard.ClearBoard();
    FBoard.Refresh();
    MarkModified();
}

void TfrmQuenlix::mnuInvertBoardClick() {
    if (!MainWindowFocused()) return;
    FBoard.SetView(FBoard.View() == vwWhiteUnder ? vwBlackUnder : vwWhiteUnder);
    MarkModified();
}

void TfrmQuenlix::mnuStartingPositionClick() {
    if (!MainWindowFocused()) return;
    FBoard.UnselectAll();
    FBoard.SetStartPosition();
    FBoard.Refresh();
    MarkModified();
}

void TfrmQuenlix::mnuPieceStyleClick(int index) {
    THourglass hourglass;
    FBoard.SetPieceStyle(static_cast<TPieceStyle>(index));
    // Choosing the style in force still counts as an edit.
    FDiagramModified = true;
    FUndoList->Push(FBoard, FHeader, FFooter);
    UpdateCaption();
    UpdateCommandStates();
}

void TfrmQuenlix::mnuWebPageClick() {
    if (!QDesktopServices::openUrl(QUrl(kHomePage)))
        SoundMessageDlg("Could not launch browser...", TMsgDlgType::mtError, QMessageBox::Ok);
}

void TfrmQuenlix::mnuEmailClick() {
    if (!QDesktopServices::openUrl(QUrl(kMailAddress)))
        SoundMessageDlg("Could not launch email client...", TMsgDlgType::mtError, QMessageBox::Ok);
}

}  // namespace vorlix
