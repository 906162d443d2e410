#include "batch/ui/EpdBatchDialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "print/PdfPrintTarget.h"
#include "print/PrintTarget.h"
#include "batch/BatchRunner.h"
#include "files/ErrorReporter.h"
#include "files/SafeFileWriter.h"
#include "print/BatchPrinter.h"
#include "batch/BatchSources.h"
#include "batch/ui/BatchDialogParts.h"
#include "batch/ui/BatchHost.h"
#include "batch/ui/KXProgressBar.h"
#include "board/ChessBoard.h"
#include "files/EPDRecord.h"

namespace vorlix {
namespace {

constexpr int kHelpContexts[] = {3100, 3110, 3120};

// Raised when the diagrams do not fit the paper.
class EDiagramTooLarge : public std::runtime_error {
public:
    EDiagramTooLarge() : std::runtime_error("Diagram will not fit on the paper!") {}
};

QRadioButton* Radio(const QString& caption, QWidget* parent, const QString& name) {
    return NamedRadioButton(caption, parent, name);
}

}  // namespace

TfrmAutoVorlix::TfrmAutoVorlix(TBatchHost& host, TEpdBatchSource& source, QWidget* viewer)
    : QDialog(viewer ? viewer : host.HostWindow()), FHost(host), FSource(source), FViewer(viewer) {
    setObjectName(QStringLiteral("frmAutoVorlix"));
    setWindowTitle(QStringLiteral("EPD Auto Vorlix"));
    auto* layout = new QVBoxLayout(this);
    auto* menu = new QMenuBar(this);
    menu->addMenu(QStringLiteral("&Printer"))->addAction(QStringLiteral("&Setup"), this, [this] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        FHost.PrinterSetup();
        QApplication::restoreOverrideCursor();
    });
    layout->setMenuBar(menu);
    Pages = new QTabWidget(this);
    Pages->addTab(CreateDestinationPage(), QStringLiteral("Destination"));
    Pages->addTab(CreateLinePage(HeaderButtons, QStringLiteral("Current Header Text"), true), QStringLiteral("Headers"));
    Pages->addTab(CreateLinePage(FooterButtons, QStringLiteral("Current Footer Text"), false), QStringLiteral("Footers"));
    layout->addWidget(Pages);
    auto* game = new QHBoxLayout;
    game->addWidget(new QLabel(QStringLiteral("Game:"), this));
    lblGame = new QLabel(QStringLiteral("0 / 0"), this);
    lblGame->setObjectName(QStringLiteral("lblGame"));
    game->addWidget(lblGame, 1);
    layout->addLayout(game);
    const TBatchDialogBottom bottom = AddBatchDialogBottom(this, layout);
    lblStatus = bottom.Status;
    mpbProgress = bottom.Progress;
    btnHelp = bottom.Help;
    btnCancel = bottom.Cancel;
    btnStart = bottom.Start;
    connect(btnHelp, &QPushButton::clicked, this, [this] { FHost.ShowHelp(kHelpContexts[std::max(0, Pages->currentIndex())]); });
    connect(btnCancel, &QPushButton::clicked, this, &TfrmAutoVorlix::btnCancelClick);
    connect(btnStart, &QPushButton::clicked, this, &TfrmAutoVorlix::btnStartClick);
    HeaderButtons.Text->setText(FSource.BatchHeaderText());
    FooterButtons.Text->setText(FSource.BatchFooterText());
    FShowTimer = new QTimer(this);
    FShowTimer->setInterval(40);
    connect(FShowTimer, &QTimer::timeout, this, &TfrmAutoVorlix::ShowRunState);
}

TfrmAutoVorlix::~TfrmAutoVorlix() { StopThread(); }

QWidget* TfrmAutoVorlix::CreateDestinationPage() {
    auto* page = new QWidget;
    auto* group = new QGroupBox(QStringLiteral("Settings:"), page);
    FGroups.push_back(group);
    auto* grid = new QGridLayout(group);
    rbtFile = Radio("File", group, "rbtFile");
    rbtImageFile = Radio("&Image File", group, "rbtImageFile");
    rbtChessFile = Radio("Chess &Diagram", group, "rbtChessFile");
    rbtPrinter = Radio("Printer...", group, "rbtPrinter");
    chkMultDiagrams = new QCheckBox(QStringLiteral("Multiple Diagrams per page"), group);
    chkMultDiagrams->setObjectName(QStringLiteral("chkMultDiagrams"));
    auto* where = new QButtonGroup(group);
    where->addButton(rbtFile);
    where->addButton(rbtPrinter);
    auto* kind = new QButtonGroup(group);
    kind->addButton(rbtImageFile);
    kind->addButton(rbtChessFile);
    grid->addWidget(rbtFile, 0, 0, 1, 2);
    grid->addWidget(rbtImageFile, 1, 1);
    grid->addWidget(rbtChessFile, 2, 1);
    grid->addWidget(rbtPrinter, 3, 0, 1, 2);
    grid->addWidget(chkMultDiagrams, 4, 1);
    grid->setColumnMinimumWidth(0, 20);
    rbtFile->setChecked(true);
    rbtImageFile->setChecked(true);
    chkMultDiagrams->setEnabled(false);
    connect(rbtFile, &QRadioButton::clicked, this, &TfrmAutoVorlix::rbtFileClick);
    connect(rbtPrinter, &QRadioButton::clicked, this, &TfrmAutoVorlix::rbtPrinterClick);
    (new QVBoxLayout(page))->addWidget(group);
    return page;
}

QWidget* TfrmAutoVorlix::CreateLinePage(TEpdLineButtons& b, const QString& current, bool header) {
    auto* page = new QWidget;
    auto* group = new QGroupBox(QStringLiteral("Settings:"), page);
    FGroups.push_back(group);
    auto* grid = new QGridLayout(group);
    const QString prefix = header ? QStringLiteral("rbtHeader") : QStringLiteral("rbtFooter");
    b.Current = Radio(current, group, prefix + "0");
    b.Description = Radio(QStringLiteral("EPD Game Description"), group, prefix + "1");
    b.BestMove = Radio(QStringLiteral("Best Move Tag"), group, prefix + "2");
    b.Custom = Radio(QStringLiteral("Custom:"), group, prefix + "3");
    b.None = Radio(QStringLiteral("None"), group, prefix + "4");
    b.Text = new QLineEdit(group);
    b.Text->setObjectName(header ? QStringLiteral("edtHeaderText") : QStringLiteral("edtFooterText"));
    b.Text->setEnabled(false);
    grid->addWidget(b.Current, 0, 0, 1, 2);
    grid->addWidget(b.Description, 1, 0, 1, 2);
    grid->addWidget(b.BestMove, 2, 0, 1, 2);
    grid->addWidget(b.Custom, 3, 0);
    grid->addWidget(b.Text, 3, 1);
    grid->addWidget(b.None, 4, 0, 1, 2);
    for (QRadioButton* r : {b.Current, b.Description, b.BestMove, b.Custom, b.None})
        connect(r, &QRadioButton::toggled, b.Text, [&b] { b.Text->setEnabled(b.Custom->isChecked()); });
    (new QVBoxLayout(page))->addWidget(group);
    return page;
}

void TfrmAutoVorlix::showEvent(QShowEvent* event) {
    lblStatus->setVisible(false);
    mpbProgress->setVisible(false);
    QWidget* centre = FViewer ? FViewer : FHost.HostWindow();
    if (centre) move(centre->x() + (centre->width() - width()) / 2, centre->y() + (centre->height() - height()) / 2);
    (FHost.Header().Enabled ? HeaderButtons.Current : HeaderButtons.None)->setChecked(true);
    (FHost.Footer().Enabled ? FooterButtons.Current : FooterButtons.None)->setChecked(true);
    QDialog::showEvent(event);
}

void TfrmAutoVorlix::rbtFileClick() {
    chkMultDiagrams->setEnabled(false);
    rbtImageFile->setEnabled(true);
    rbtChessFile->setEnabled(true);
}

void TfrmAutoVorlix::rbtPrinterClick() {
    chkMultDiagrams->setEnabled(true);
    rbtImageFile->setEnabled(false);
    rbtChessFile->setEnabled(false);
}

// The mode of a page; a typed custom text goes into the record at once.
TEpdCaptionMode TfrmAutoVorlix::LineMode(TEpdLineButtons& b, THeaderFooterInfo& line) {
    if (b.Description->isChecked()) return TEpdCaptionMode::Description;
    if (b.BestMove->isChecked()) return TEpdCaptionMode::BestMove;
    if (b.Current->isChecked()) return TEpdCaptionMode::Current;
    if (b.Custom->isChecked() && !b.Text->text().isEmpty()) {
        line.Text = b.Text->text().toStdString();
        line.Enabled = true;
        return TEpdCaptionMode::Current;
    }
    return TEpdCaptionMode::None;
}

void TfrmAutoVorlix::Pause(int ms) { PauseWithEvents(ms, FAbort); }

void TfrmAutoVorlix::SetOptionsEnabled(bool enabled) {
    for (QGroupBox* g : FGroups) g->setEnabled(enabled);
    btnStart->setEnabled(enabled);
}

void TfrmAutoVorlix::btnStartClick() {
    for (QLineEdit* edit : {HeaderButtons.Text, FooterButtons.Text}) edit->setText(edit->text().trimmed());
    // The main header and footer are as before once the run ends, however it ends.
    FSavedHeader = FHost.Header();
    FSavedFooter = FHost.Footer();
    FHeaderMode = LineMode(HeaderButtons, FHost.Header());
    FFooterMode = LineMode(FooterButtons, FHost.Footer());
    TBatchDestination destination;
    if (rbtPrinter->isChecked()) {
        destination = chkMultDiagrams->isChecked() ? TBatchDestination::PrinterManyPerPage
                                                   : TBatchDestination::PrinterOnePerJob;
    } else if (rbtImageFile->isChecked()) {
        destination = TBatchDestination::ImageFiles;
        if (!ChooseBatchImageFile(FHost,
                                  BatchFileMessage("Eg. if you choose \"MYBMP.BMP\", the diagrams",
                                                   {"MYBMP001.BMP", "MYBMP002.BMP", "MYBMP003.BMP"}),
                                  false, FFile))
            return RestoreLines();
    } else {
        destination = TBatchDestination::DiagramFiles;
        if (!ChooseBatchDiagramFile(FHost,
                                    BatchFileMessage("Eg. if you choose \"MyDiagram\", the diagrams",
                                                     {"MyDiagram001.vxd", "MyDiagram002.vxd", "MyDiagram003.vxd"}),
                                    FFile))
            return RestoreLines();
    }
    for (auto [mode, line] : {std::pair{FHeaderMode, &FHost.Header()}, {FFooterMode, &FHost.Footer()}}) {
        if (mode == TEpdCaptionMode::Description || mode == TEpdCaptionMode::BestMove) line->Enabled = true;
        if (mode == TEpdCaptionMode::None) line->Enabled = false;
    }
    try {
        if (!StartRun(destination)) return RestoreLines();
    } catch (const EDiagramTooLarge& e) {
        FHost.Message(QString::fromLatin1(e.what()) +
                          "\r\n\r\nPlease select a larger paper size for your printer \r\nor reduce the scaling "
                          "factor applied to the diagrams.",
                      TBatchMessage::Warning, QMessageBox::Ok);
        return RestoreLines();
    }
    if (FOnThread) {
        FThreadError.clear();
        FThread.Start([this] { RunFiles(); });
        FShowTimer->start();
    } else {
        RunPrinter();
    }
}

void TfrmAutoVorlix::RestoreLines() {
    FHost.Header() = FSavedHeader;
    FHost.Footer() = FSavedFooter;
}

bool TfrmAutoVorlix::StartRun(TBatchDestination destination) {
    FRecords = FSource.TickedRecords();
    // A PDF file holds the run's pages, one diagram a page.
    const bool pdf = destination == TBatchDestination::ImageFiles && FFile.Image.Format == TImageFormat::Pdf;
    if (pdf) destination = TBatchDestination::PrinterOnePerJob;
    FOnThread = !rbtPrinter->isChecked();
    FPrinter = pdf ? std::make_unique<TPdfPrintTarget>(FFile.Name.Path + FFile.Name.Stem + FFile.Name.Extension)
                   : FHost.OpenPrinter();
    const QSize page = FPrinter->PageSize();
    const QSize board = FHost.Board().DiagramSize();
    const TPageGrid grid = ComputePageGrid(page.width(), page.height(), FHost.PrintFactor(), board.width(),
                                           board.height(), FHost.Header(), FHost.Footer());
    if (!grid.Fits) {
        FPrinter.reset();
        throw EDiagramTooLarge();
    }
    FPrinting = destination == TBatchDestination::PrinterManyPerPage ||
                destination == TBatchDestination::PrinterOnePerJob;
    // Marks on the board belong to its own position, not to the records; the
    // viewer gives the board back when the run ends.
    FHost.Board().SetMarks({});
    const TOutputKind kind = FPrinting ? TOutputKind::Printed
                             : destination == TBatchDestination::ImageFiles ? TOutputKind::Image
                                                                            : TOutputKind::Diagram;
    FRunner = std::make_unique<TBatchRunner>(StyleOfBoard(FHost.Board(), FHost.Header(), FHost.Footer(), kind, FFile.Image), 1);
    TCollectingReporter styleErrors;
    if (!FRunner->Prepare(styleErrors)) {
        FHost.Message(QString::fromStdString(styleErrors.Last()), TBatchMessage::Error, QMessageBox::Ok);
        FRunner.reset();
        FPrinter.reset();
        return false;
    }
    if (FPrinting) {
        FPages = std::make_unique<TBatchPrinter>(*FPrinter, grid, destination == TBatchDestination::PrinterManyPerPage);
        FRunner->SetPrinter(FPages.get());
    }
    const int count = static_cast<int>(FRecords.size());
    lblGame->setText(QStringLiteral("0 / %1").arg(count));
    mpbProgress->SetValue(0);
    mpbProgress->SetMaxValue(std::max(count, 1));
    lblStatus->setVisible(true);
    mpbProgress->setVisible(true);
    SetOptionsEnabled(false);
    FAbort = false;
    FRunning = true;
    return true;
}

// The diagram of the n-th record: its position and its header and footer by
// the modes, each composed from the line as it stands.
TDiagramJob TfrmAutoVorlix::JobOf(int n, std::string& headerText, std::string& footerText) const {
    const TEPDRec& record = *FRecords[size_t(n - 1)];
    TDiagramJob job;
    std::copy(std::begin(record.Board), std::end(record.Board), job.Codes.begin());
    headerText = EpdCaptionText(FHeaderMode, record, headerText);
    footerText = EpdCaptionText(FFooterMode, record, footerText);
    job.HeaderText = headerText;
    job.FooterText = footerText;
    if (!FPrinting) job.FileName = EpdBatchFileName(FFile.Name, n);
    return job;
}

// On the run's thread: every record, without a pause.
void TfrmAutoVorlix::RunFiles() {
    try {
        std::string header = FRunner->Header().Text, footer = FRunner->Footer().Text;
        const int count = static_cast<int>(FRecords.size());
        for (int n = 1; n <= count && !FThread.Cancelled(); ++n) {
            TDiagramJob job = JobOf(n, header, footer);
            FThread.Publish({n, job.Codes});
            if (!FRunner->Add(std::move(job)) || !FRunner->Flush()) return;
        }
    } catch (const std::exception& e) {
        FThreadError = e.what();
    }
}

// On the dialog's clock: the newest record on the board and in the counters;
// the run's end once its thread is done.
void TfrmAutoVorlix::ShowRunState() {
    TShown shown;
    if (FThread.Take(shown)) {
        lblGame->setText(QStringLiteral("%1 / %2").arg(shown.Number).arg(FRecords.size()));
        mpbProgress->SetValue(shown.Number);
        lblStatus->setText(QStringLiteral("Saving file..."));
        FHost.Board().SetCodes(shown.Codes);
        FHost.Board().Refresh();
    }
    if (!FThread.Finished()) return;
    FThread.Join();
    FShowTimer->stop();
    EndRun();
}

// The printer: one diagram after the other on the dialog's thread, the
// interface running between them.
void TfrmAutoVorlix::RunPrinter() {
    const int count = static_cast<int>(FRecords.size());
    std::string header = FHost.Header().Text, footer = FHost.Footer().Text;
    for (int n = 1; n <= count && !FAbort; ++n) {
        lblGame->setText(QStringLiteral("%1 / %2").arg(n).arg(count));
        mpbProgress->SetValue(n);
        QCoreApplication::processEvents();
        if (FAbort) break;
        lblStatus->setText(QStringLiteral("Searching game..."));
        TDiagramJob job = JobOf(n, header, footer);
        FHost.Board().SetCodes(job.Codes);
        FHost.Board().Refresh();
        lblStatus->setText(QStringLiteral("Setting up board..."));
        lblStatus->setText(QStringLiteral("Printing..."));
        if (!FRunner->Add(std::move(job)) || !FRunner->Flush()) break;
        Pause(FPause);
    }
    EndRun();
}

void TfrmAutoVorlix::StopThread() {
    FThread.Cancel();
    if (FRunner) FRunner->Cancel();
    FThread.Join();
    FShowTimer->stop();
}

void TfrmAutoVorlix::EndRun() {
    if (!FRunner) return;
    if (FAbort && FRunner->End() == TBatchEnd::Done) FRunner->Cancel();
    TBatchEnd end = FRunner->End();
    std::string runError = FThreadError.empty() ? FRunner->Error() : FThreadError;
    if (!FThreadError.empty()) end = TBatchEnd::Failed;
    std::string error = runError;
    // What was printed before an error stays; a cancel prints the page in progress.
    if (end == TBatchEnd::Failed && FPages) FPages->Abort();
    const bool finished = (!FPages || FPages->EndPage(error)) && (!FPrinting || FPrinter->Finish(error));
    if (!FPrinting) FlushFolder(QFile::encodeName(FFile.Name.Path.isEmpty() ? "." : FFile.Name.Path).toStdString());
    QString status = QStringLiteral("Done.");
    if (end == TBatchEnd::Failed) {
        status = QStringLiteral("Error!");
        FHost.Message(QString::fromStdString(runError), TBatchMessage::Error, QMessageBox::Ok);
    } else if (!finished) {
        status = QStringLiteral("Error!");
        if (end == TBatchEnd::Done) FHost.Message(QString::fromStdString(error), TBatchMessage::Error, QMessageBox::Ok);
    } else if (end == TBatchEnd::Cancelled) {
        status = QStringLiteral("Aborted.");
    }
    FRunner.reset();
    FPages.reset();
    FPrinter.reset();
    FRecords.clear();
    FRunning = false;
    RestoreLines();
    SetOptionsEnabled(true);
    lblGame->setText(QStringLiteral("0 / 0"));
    mpbProgress->SetValue(0);
    lblStatus->setText(status);
}

void TfrmAutoVorlix::btnCancelClick() {
    if (!FRunning) {
        reject();
        return;
    }
    FAbort = true;
    // The thread stops after the diagram in hand; the printer's loop at its next step.
    if (FOnThread) {
        StopThread();
        EndRun();
    }
}

void TfrmAutoVorlix::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        btnCancelClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmAutoVorlix::done(int result) {
    FSource.KeepBatchTexts(HeaderButtons.Text->text(), FooterButtons.Text->text());
    // Closing stops a run on its thread first.
    if (FRunning && FOnThread) {
        FAbort = true;
        StopThread();
        EndRun();
    }
    QDialog::done(result);
}

void TfrmAutoVorlix::closeEvent(QCloseEvent* event) {
    FAbort = true;
    if (FRunning && FOnThread) {
        StopThread();
        EndRun();
    }
    QCoreApplication::processEvents();
    QDialog::closeEvent(event);
}

}  // namespace vorlix
