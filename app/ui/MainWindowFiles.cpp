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
#include "app/ui/BatchDialogs.h"
#include "app/ui/FileTypeDialog.h"
#include "app/ui/MainWindow.h"
#include "app/ui/PosDataDialog.h"
#include "app/ui/PrintCommands.h"
#include "batch/ui/ImageFileDialog.h"
#include "board/ui/BoardControl.h"
#include "board/ui/FileFilters.h"
#include "common/ui/Hourglass.h"
#include "common/ui/SoundPlayer.h"
#include "files/PGN.h"
#include "settings/FileExtension.h"
#include "settings/Settings.h"
#include "viewers/ui/EpdViewer.h"
#include "viewers/ui/PgnViewer.h"

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

void TMainWindow::CreateViewers() {
    epdViewer_ = new TEpdViewer(*this);
    pgnViewer_ = new TPgnViewer(*this);
    FpnlBoard->setAcceptDrops(true);
    FpnlBoard->installEventFilter(this);
}

void TMainWindow::DestroyViewers() {
    // The viewers write their settings through this window while they go, so
    // they go before it.
    for (TArchiveViewer* viewer : {epdViewer_, pgnViewer_}) {
        if (auto* window = dynamic_cast<QObject*>(viewer))
            delete window;
        else
            delete viewer;
    }
    epdViewer_ = pgnViewer_ = nullptr;
}

bool TMainWindow::CloseViewers() {
    // A viewer with unsaved edits asks first; its Cancel keeps everything open.
    for (TArchiveViewer* viewer : {epdViewer_, pgnViewer_})
        if (viewer && viewer->ArchiveVisible()) {
            viewer->CloseArchive();
            if (viewer->ArchiveVisible()) return false;
        }
    return true;
}

TArchiveViewer& TMainWindow::PgnViewer() { return *pgnViewer_; }

QStringList& TMainWindow::RecentList(TRecentKind kind) {
    switch (kind) {
        case TRecentKind::Diagram: return settings_.RecentVXD;
        case TRecentKind::PGN: return settings_.RecentPGN;
        default: return settings_.RecentEPD;
    }
}

void TMainWindow::AddRecent(TRecentKind kind, const QString& fileName) {
    AddRecentFile(RecentList(kind), fileName, RecentLimit(kind));
}

void TMainWindow::RemoveRecent(TRecentKind kind, const QString& fileName) {
    RemoveRecentFile(RecentList(kind), fileName);
}

// ---- Opening ----------------------------------------------------------------

void TMainWindow::OpenChessFile(const QString& fileName) {
    THourglass hourglass;
    fileBeingOpened_ = fileName;
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

void TMainWindow::OpenAsEpd(const QString& fileName) {
    if (OpenInViewer(*epdViewer_, TRecentKind::EPD, fileName) || retry_) {
        retry_ = false;
        return;
    }
    retry_ = true;
    OpenAsPgn(fileName);
}

void TMainWindow::OpenAsPgn(const QString& fileName) {
    if (OpenInViewer(PgnViewer(), TRecentKind::PGN, fileName) || retry_) {
        retry_ = false;
        return;
    }
    retry_ = true;
    OpenAsEpd(fileName);
}

bool TMainWindow::OpenInViewer(TArchiveViewer& viewer, TRecentKind kind, const QString& fileName) {
    SetOpening(true);
    QApplication::processEvents();
    if (!viewer.LoadArchive(fileName)) {
        RemoveRecent(kind, fileName);
        viewer.CloseArchive();
        SetOpening(false);
        return false;
    }
    if (quitting_) {
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

void TMainWindow::SetOpening(bool opening) {
    opening_ = opening;
    Item("mnuFileOpen")->setEnabled(!opening);
    Menu("mnuFileReopen")->setEnabled(!opening);
    Button("spbOpenFile")->setEnabled(!opening);
}

void TMainWindow::mnuFileOpenClick() {
    if (opening_) return;
    if (PgnViewer().ArchiveVisible()) PgnViewer().StopAutoReplay();
    const QString fileName = ChooseFileToOpen(this, "Open", settings_.OpenPath, kOpenFilter);
    if (fileName.isEmpty()) return;
    OpenChessFile(fileName);
    settings_.OpenPath = FolderOf(fileName);
}

// ---- File menu and Reopen ---------------------------------------------------

void TMainWindow::mnuFilePopup() {
    Item("mnuFileOpen")->setEnabled(!opening_);
    RebuildReopenMenu();
}

void TMainWindow::RebuildReopenMenu() {
    QMenu* reopen = Menu("mnuFileReopen");
    reopen->clear();
    const std::vector<TReopenEntry> entries =
        ReopenEntries(settings_.RecentVXD, settings_.RecentPGN, settings_.RecentEPD);
    reopen->setEnabled(!opening_ && !entries.empty());
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

void TMainWindow::mnuFileSaveEPDClick() {
    if (PgnViewer().ArchiveVisible()) PgnViewer().StopAutoReplay();
    QFileDialog dialog(this, "Save as EPD");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // Positions are appended, so an existing file is no reason to ask.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    SetFileDialogFilters(dialog, kEpdFilter);
    dialog.setDirectory(settings_.SaveEPDPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString fileName = ForceExtension(dialog.selectedFiles().first(), ".EPD");
    settings_.SaveEPDPath = FolderOf(fileName);
    SaveAsEPD(fileName);
}

void TMainWindow::SaveAsEPD(const QString& fileName) {
    TPosDataDialog dialog(diagram_.Board.Codes(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    const std::string line = PositionEpdLine(diagram_.Board.Codes(), dialog.PositionData());
    try {
        AppendEpdLine(QFile::encodeName(fileName).toStdString(), line);
    } catch (const std::exception& error) {
        reporter_.Report(TMsgKind::Error, fileName.toStdString() + ": " + error.what());
        return;
    }
    AddRecent(TRecentKind::EPD, fileName);
    // The EPD viewer may hold this file; its later save must keep the line.
    epdViewer_->LineAppended(fileName, line);
}

// ---- Dropped files ----------------------------------------------------------

bool TMainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != FpnlBoard) return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::DragEnter: {
            auto* enter = static_cast<QDragEnterEvent*>(event);
            if (!enter->mimeData()->hasUrls()) return false;
            enter->setDropAction(Qt::CopyAction);
            enter->accept();
            return true;
        }
        case QEvent::DragMove: static_cast<QDragMoveEvent*>(event)->acceptProposedAction(); return true;
        case QEvent::Drop: return DropFiles(*static_cast<QDropEvent*>(event));
        default: return QMainWindow::eventFilter(watched, event);
    }
}

bool TMainWindow::DropFiles(QDropEvent& event) {
    const QList<QUrl> urls = event.mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) return false;
    event.setDropAction(Qt::CopyAction);
    event.accept();
    // Only the first file counts.
    const QString fileName = urls.first().toLocalFile();
    if (!opening_) {
        // Opening may ask questions; the drag source is not kept waiting.
        QMetaObject::invokeMethod(
            this, [this, fileName] { OpenChessFile(fileName); }, Qt::QueuedConnection);
        return true;
    }
    const QString window = epdViewer_->ArchiveVisible() ? "EPD " : "PGN ";
    SoundMessageDlg("Cannot open:\n" + fileName + ".\n\nPlease close the " + window + "window first.",
                    TMsgDlgType::mtInformation, QMessageBox::Ok);
    return true;
}

// ---- File associations ------------------------------------------------------

void TMainWindow::CheckFileAssociations() {
    if (!associations_ || quitting_) return;
    struct TCheck {
        TChessFileType Type;
        QString Kind;  // empty: associated without asking
        bool* Ask;
        bool* Associate;
    };
    const TCheck checks[] = {{TChessFileType::PGN, "PGN", &settings_.AskPGNReg, &settings_.DoPGNReg},
                             {TChessFileType::EPD, "EPD", &settings_.AskEPDReg, &settings_.DoEPDReg},
                             {TChessFileType::VXD, {}, nullptr, nullptr}};
    for (const TCheck& check : checks) {
        if (associations_->IsAssociated(check.Type)) continue;
        if (check.Ask && *check.Ask) {
            TFileTypeDialog question(check.Kind, settings_, this);
            question.exec();
            // Ended while asking: the question was not answered.
            if (quitting_) return;
        }
        if (check.Associate && !*check.Associate) continue;
        try {
            associations_->Associate(check.Type);
        } catch (const std::exception& error) {
            reporter_.Report(TMsgKind::Error, error.what());
        }
    }
}

// ---- What the viewers need --------------------------------------------------

QRect TMainWindow::BoardPanelGlobalRect() const {
    return QRect(FpnlBoard->mapToGlobal(QPoint(0, 0)), FpnlBoard->size());
}

void TMainWindow::DiagramChangedByViewer() { MarkModified(); }

void TMainWindow::PlaySound(const QString& waveName) { PlayWave(waveName); }

void TMainWindow::AnimateMove(const TChessMove& move) { boardView_->AnimateMove(move); }

void TMainWindow::AnimateTakeBack(const TChessMove& move, int capturedPiece) {
    boardView_->AnimateTakeBack(move, capturedPiece);
}

QPrinter& TMainWindow::Printer() { return printCommands_->Printer(); }

void TMainWindow::PrinterSetup() { printCommands_->mnuFilePrinterSetupClick(); }

void TMainWindow::mnuFilePrintClick() { printCommands_->mnuFilePrintClick(); }
void TMainWindow::mnuFilePreviewClick() { printCommands_->mnuFilePreviewClick(); }
void TMainWindow::mnuFilePrinterSetupClick() { printCommands_->mnuFilePrinterSetupClick(); }

void TMainWindow::ViewerClosed() {
    SetOpening(false);
    // A viewer may have deleted its file (every position gone).
    if (!fileBeingOpened_.isEmpty() && !QFileInfo::exists(fileBeingOpened_)) {
        RemoveRecent(TRecentKind::EPD, fileBeingOpened_);
        RemoveRecent(TRecentKind::PGN, fileBeingOpened_);
    }
}

void TMainWindow::OpenPgnBatch(TPgnBatchSource& source) { RunPgnBatchDialog(*this, source); }
void TMainWindow::OpenEpdBatch(TEpdBatchSource& source) { RunEpdBatchDialog(*this, source); }

}  // namespace vorlix
