// Chess files in and out of the main window: the opening road shared by the
// Open dialog, Reopen, the command line and dropped files; the recent lists;
// Save as EPD; what the viewers need of the main window.
#include <QApplication>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QToolButton>

#include "app/EpdPositionLine.h"
#include "app/FileAssociations.h"
#include "app/FileDialogFilters.h"
#include "settings/FileExtension.h"
#include "settings/Settings.h"
#include "app/ui/BatchDialogs.h"
#include "app/ui/FileTypeDialog.h"
#include "common/ui/Hourglass.h"
#include "app/ui/MainWindow.h"
#include "common/ui/PlayWave.h"
#include "app/ui/PosDataDialog.h"
#include "app/ui/PrintCommands.h"
#include "batch/ui/KXSaveDialog.h"
#include "board/ui/BoardControl.h"
#include "board/ui/FileFilters.h"
#include "files/PGN.h"
#include "viewers/ui/EpdViewer.h"
#include "viewers/ui/PGNViewer.h"

namespace vorlix {
namespace {

QString FolderOf(const QString& fileName) { return QFileInfo(fileName).absolutePath() + "/"; }

int RecentLimit(TRecentKind kind) {
    switch (kind) {
        case TRecentKind::Diagram: return kRecentVXDCount;
        case TRecentKind::PGN: return kRecentPGNCount;
        default: return kRecentEPDCount;
    }
}

}  // namespace

void TfrmQuenlix::CreateViewers() {
    FEpdViewer = new TfrmEPD(*this);
    FPgnViewer = new TfrmPGN(*this);
    FpnlBoard->setAcceptDrops(true);
    FpnlBoard->installEventFilter(this);
}

void TfrmQuenlix::DestroyViewers() {
    // The viewers write their settings through this window while they go, so
    // they go before it.
    for (TArchiveViewer* viewer : {FEpdViewer, FPgnViewer}) {
        if (auto* window = dynamic_cast<QObject*>(viewer))
            delete window;
        else
            delete viewer;
    }
    FEpdViewer = FPgnViewer = nullptr;
}

bool TfrmQuenlix::CloseViewers() {
    // A viewer with unsaved edits asks first; its Cancel keeps everything open.
    for (TArchiveViewer* viewer : {FEpdViewer, FPgnViewer})
        if (viewer && viewer->ArchiveVisible()) {
            viewer->CloseArchive();
            if (viewer->ArchiveVisible()) return false;
        }
    return true;
}

TArchiveViewer& TfrmQuenlix::PgnViewer() { return *FPgnViewer; }

QStringList& TfrmQuenlix::RecentList(TRecentKind kind) {
    switch (kind) {
        case TRecentKind::Diagram: return FSettings.RecentVXD;
        case TRecentKind::PGN: return FSettings.RecentPGN;
        default: return FSettings.RecentEPD;
    }
}

void TfrmQuenlix::AddRecent(TRecentKind kind, const QString& fileName) {
    AddRecentFile(RecentList(kind), fileName, RecentLimit(kind));
}

void TfrmQuenlix::RemoveRecent(TRecentKind kind, const QString& fileName) {
    RemoveRecentFile(RecentList(kind), fileName);
}

// ---- Opening ----------------------------------------------------------------

void TfrmQuenlix::OpenChessFile(const QString& fileName) {
    THourglass hourglass;
    FFileBeingOpened = fileName;
    if (!QFileInfo::exists(fileName)) {
        SoundMessageDlg(fileName + "\ndoes not exist.", TMsgDlgType::mtInformation, QMessageBox::Ok);
        RemoveRecent(TRecentKind::EPD, fileName);
        RemoveRecent(TRecentKind::PGN, fileName);
        return;
    }
    const QString extension = QFileInfo(fileName).suffix().toUpper();
    if (extension == "VXD") {
        if (OpenDiagramFile(fileName)) AddRecent(TRecentKind::Diagram, fileName);
    } else if (extension == "EPD") {
        OpenAsEpd(fileName);
    } else {
        OpenAsPgn(fileName);
    }
}

void TfrmQuenlix::OpenAsEpd(const QString& fileName) {
    if (OpenInViewer(*FEpdViewer, TRecentKind::EPD, fileName) || FRetry) {
        FRetry = false;
        return;
    }
    FRetry = true;
    OpenAsPgn(fileName);
}

void TfrmQuenlix::OpenAsPgn(const QString& fileName) {
    if (OpenInViewer(PgnViewer(), TRecentKind::PGN, fileName) || FRetry) {
        FRetry = false;
        return;
    }
    FRetry = true;
    OpenAsEpd(fileName);
}

bool TfrmQuenlix::OpenInViewer(TArchiveViewer& viewer, TRecentKind kind, const QString& fileName) {
    SetOpening(true);
    QApplication::processEvents();
    if (!viewer.LoadArchive(fileName)) {
        RemoveRecent(kind, fileName);
        viewer.CloseArchive();
        SetOpening(false);
        return false;
    }
    if (FQuitting) {
        // A quit signal came while the file was read: nothing more is shown,
        // and the file is not tried as another kind either.
        viewer.CloseArchive();
        SetOpening(false);
        return true;
    }
    RemoveRecent(TRecentKind::EPD, fileName);
    RemoveRecent(TRecentKind::PGN, fileName);
    AddRecent(kind, fileName);
    viewer.ShowArchive();
    // Only a viewer on the screen holds the file open.
    if (!viewer.ArchiveVisible()) SetOpening(false);
    return true;
}

void TfrmQuenlix::SetOpening(bool opening) {
    FOpening = opening;
    Item("mnuFileOpen")->setEnabled(!opening);
    Menu("mnuFileReopen")->setEnabled(!opening);
    Button("spbOpenFile")->setEnabled(!opening);
}

void TfrmQuenlix::mnuFileOpenClick() {
    if (FOpening) return;
    if (PgnViewer().ArchiveVisible()) PgnViewer().StopAutoReplay();
    const QString fileName = ChooseFileToOpen(this, "Open", FSettings.OpenPath, kOpenFilter);
    if (fileName.isEmpty()) return;
    OpenChessFile(fileName);
    FSettings.OpenPath = FolderOf(fileName);
}

// ---- File menu and Reopen ---------------------------------------------------

void TfrmQuenlix::mnuFilePopup() {
    Item("mnuFileOpen")->setEnabled(!FOpening);
    RebuildReopenMenu();
}

void TfrmQuenlix::RebuildReopenMenu() {
    QMenu* reopen = Menu("mnuFileReopen");
    reopen->clear();
    const std::vector<TReopenEntry> entries =
        ReopenEntries(FSettings.RecentVXD, FSettings.RecentPGN, FSettings.RecentEPD);
    reopen->setEnabled(!FOpening && !entries.empty());
    for (const TReopenEntry& entry : entries) {
        if (entry.Separator) {
            reopen->addSeparator();
            continue;
        }
        QAction* item = reopen->addAction(entry.Caption);
        item->setStatusTip(entry.Hint);
        const QString path = PathOfReopenCaption(entry.Caption);
        connect(item, &QAction::triggered, this, [this, path] { OpenChessFile(path); });
    }
}

// ---- Save as EPD -----------------------------------------------------------

void TfrmQuenlix::mnuFileSaveEPDClick() {
    if (PgnViewer().ArchiveVisible()) PgnViewer().StopAutoReplay();
    QFileDialog dialog(this, "Save as EPD");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // Positions are appended, so an existing file is no reason to ask.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    SetFileDialogFilters(dialog, kEpdFilter);
    dialog.setDirectory(FSettings.SaveEPDPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString fileName = ForceExtension(dialog.selectedFiles().first(), ".EPD");
    FSettings.SaveEPDPath = FolderOf(fileName);
    SaveAsEPD(fileName);
}

void TfrmQuenlix::SaveAsEPD(const QString& fileName) {
    TfrmPosData dialog(FDiagram.Board.Codes(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    const std::string line = PositionEpdLine(FDiagram.Board.Codes(), dialog.PositionData());
    try {
        AppendEpdLine(QFile::encodeName(fileName).toStdString(), line);
    } catch (const std::exception& error) {
        FReporter.Report(TMsgKind::Error, fileName.toStdString() + ": " + error.what());
        return;
    }
    AddRecent(TRecentKind::EPD, fileName);
    // The EPD viewer may hold this file; its later save must keep the line.
    FEpdViewer->LineAppended(fileName, line);
}

// ---- Dropped files ----------------------------------------------------------

bool TfrmQuenlix::eventFilter(QObject* watched, QEvent* event) {
    if (watched != FpnlBoard) return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::DragEnter: {
            auto* enter = static_cast<QDragEnterEvent*>(event);
            if (!enter->mimeData()->hasUrls()) return false;
            enter->setDropAction(Qt::CopyAction);
            enter->accept();
            return true;
        }
        case QEvent::DragMove:
            static_cast<QDragMoveEvent*>(event)->acceptProposedAction();
            return true;
        case QEvent::Drop: return DropFiles(*static_cast<QDropEvent*>(event));
        default: return QMainWindow::eventFilter(watched, event);
    }
}

bool TfrmQuenlix::DropFiles(QDropEvent& event) {
    const QList<QUrl> urls = event.mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) return false;
    event.setDropAction(Qt::CopyAction);
    event.accept();
    // Only the first file counts.
    const QString fileName = urls.first().toLocalFile();
    if (!FOpening) {
        // Opening may ask questions; the drag source is not kept waiting.
        QMetaObject::invokeMethod(this, [this, fileName] { OpenChessFile(fileName); }, Qt::QueuedConnection);
        return true;
    }
    const QString window = FEpdViewer->ArchiveVisible() ? "EPD " : "PGN ";
    SoundMessageDlg("Cannot open:\n" + fileName + ".\n\nPlease close the " + window + "window first.",
                    TMsgDlgType::mtInformation, QMessageBox::Ok);
    return true;
}

// ---- File associations ------------------------------------------------------

void TfrmQuenlix::CheckFileAssociations() {
    if (!FAssociations || FQuitting) return;
    struct TCheck {
        TChessFileType Type;
        QString Kind;  // empty: associated without asking
        bool* Ask;
        bool* Associate;
    };
    const TCheck checks[] = {{TChessFileType::PGN, "PGN", &FSettings.AskPGNReg, &FSettings.DoPGNReg},
                             {TChessFileType::EPD, "EPD", &FSettings.AskEPDReg, &FSettings.DoEPDReg},
                             {TChessFileType::VXD, {}, nullptr, nullptr}};
    for (const TCheck& check : checks) {
        if (FAssociations->IsAssociated(check.Type)) continue;
        if (check.Ask && *check.Ask) {
            TfrmFileType question(check.Kind, FSettings, this);
            question.exec();
            // Ended while asking: the question was not answered.
            if (FQuitting) return;
        }
        if (check.Associate && !*check.Associate) continue;
        try {
            FAssociations->Associate(check.Type);
        } catch (const std::exception& error) {
            FReporter.Report(TMsgKind::Error, error.what());
        }
    }
}

// ---- What the viewers need --------------------------------------------------

QRect TfrmQuenlix::BoardPanelGlobalRect() const {
    return QRect(FpnlBoard->mapToGlobal(QPoint(0, 0)), FpnlBoard->size());
}

void TfrmQuenlix::DiagramChangedByViewer() { MarkModified(); }

void TfrmQuenlix::PlaySound(const QString& waveName) { PlayWave(waveName); }

void TfrmQuenlix::AnimateMove(const TChessMove& move) { FkxChessBrd1->AnimateMove(move); }

void TfrmQuenlix::AnimateTakeBack(const TChessMove& move, int capturedPiece) {
    FkxChessBrd1->AnimateTakeBack(move, capturedPiece);
}

QPrinter& TfrmQuenlix::Printer() { return FPrintCommands->Printer(); }

void TfrmQuenlix::PrinterSetup() { FPrintCommands->mnuFilePrinterSetupClick(); }

void TfrmQuenlix::mnuFilePrintClick() { FPrintCommands->mnuFilePrintClick(); }
void TfrmQuenlix::mnuFilePreviewClick() { FPrintCommands->mnuFilePreviewClick(); }
void TfrmQuenlix::mnuFilePrinterSetupClick() { FPrintCommands->mnuFilePrinterSetupClick(); }

void TfrmQuenlix::ViewerClosed() {
    SetOpening(false);
    // A viewer may have deleted its file (every position gone).
    if (!FFileBeingOpened.isEmpty() && !QFileInfo::exists(FFileBeingOpened)) {
        RemoveRecent(TRecentKind::EPD, FFileBeingOpened);
        RemoveRecent(TRecentKind::PGN, FFileBeingOpened);
    }
}

void TfrmQuenlix::OpenPgnBatch(TPgnBatchSource& source) { RunPgnBatchDialog(*this, source); }
void TfrmQuenlix::OpenEpdBatch(TEpdBatchSource& source) { RunEpdBatchDialog(*this, source); }

}  // namespace vorlix
