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

#include "batch/BatchRunner.h"
#include "batch/BatchSources.h"
#include "batch/CaptionTemplate.h"
#include "batch/GameStateChoice.h"
#include "batch/ui/BatchDialogParts.h"
#include "batch/ui/BatchHost.h"
#include "batch/ui/PercentProgressBar.h"
#include "board/DiagramBoard.h"
#include "files/EPDRecord.h"
#include "files/ErrorReporter.h"
#include "files/SafeFileWriter.h"
#include "print/BatchPrinter.h"
#include "print/PdfPrintTarget.h"
#include "print/PrintTarget.h"

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

TEpdBatchDialog::TEpdBatchDialog(TBatchHost& host, TEpdBatchSource& source, QWidget* viewer)
    : QDialog(viewer ? viewer : host.HostWindow()), host_(host), source_(source), viewer_(viewer) {
    setObjectName(QStringLiteral("frmAutoVorlix"));
    setWindowTitle(QStringLiteral("EPD Auto Vorlix"));
    auto* layout = new QVBoxLayout(this);
    auto* menu = new QMenuBar(this);
    menu->addMenu(QStringLiteral("&Printer"))->addAction(QStringLiteral("&Setup"), this, [this] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        host_.PrinterSetup();
        QApplication::restoreOverrideCursor();
    });
    layout->setMenuBar(menu);
    Pages = new QTabWidget(this);
    Pages->addTab(CreateDestinationPage(), QStringLiteral("Destination"));
    Pages->addTab(CreateLinePage(HeaderButtons, QStringLiteral("Current Header Text"), true),
                  QStringLiteral("Headers"));
    Pages->addTab(CreateLinePage(FooterButtons, QStringLiteral("Current Footer Text"), false),
                  QStringLiteral("Footers"));
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
    connect(btnHelp, &QPushButton::clicked, this,
            [this] { host_.ShowHelp(kHelpContexts[std::max(0, Pages->currentIndex())]); });
    connect(btnCancel, &QPushButton::clicked, this, &TEpdBatchDialog::btnCancelClick);
    connect(btnStart, &QPushButton::clicked, this, &TEpdBatchDialog::btnStartClick);
    HeaderButtons.Text->setText(source_.BatchHeaderText());
    FooterButtons.Text->setText(source_.BatchFooterText());
    showTimer_ = new QTimer(this);
    showTimer_->setInterval(40);
    connect(showTimer_, &QTimer::timeout, this, &TEpdBatchDialog::ShowRunState);
}

TEpdBatchDialog::~TEpdBatchDialog() { StopThread(); }

QWidget* TEpdBatchDialog::CreateDestinationPage() {
    auto* page = new QWidget;
    auto* group = new QGroupBox(QStringLiteral("Settings:"), page);
    groups_.push_back(group);
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
    rbtWorksheet = Radio("&Worksheet (PDF)", group, "rbtWorksheet");
    where->addButton(rbtWorksheet);
    Worksheet = new TWorksheetChoice(group);
    Worksheet->setEnabled(false);
    grid->addWidget(rbtWorksheet, 5, 0, 1, 2);
    grid->addWidget(Worksheet, 6, 1);
    grid->setColumnMinimumWidth(0, 20);
    rbtFile->setChecked(true);
    rbtImageFile->setChecked(true);
    chkMultDiagrams->setEnabled(false);
    connect(rbtFile, &QRadioButton::clicked, this, &TEpdBatchDialog::rbtFileClick);
    connect(rbtPrinter, &QRadioButton::clicked, this, &TEpdBatchDialog::rbtPrinterClick);
    connect(rbtWorksheet, &QRadioButton::clicked, this, &TEpdBatchDialog::rbtWorksheetClick);
    (new QVBoxLayout(page))->addWidget(group);
    return page;
}

QWidget* TEpdBatchDialog::CreateLinePage(TEpdLineButtons& b, const QString& current, bool header) {
    auto* page = new QWidget;
    auto* group = new QGroupBox(QStringLiteral("Settings:"), page);
    groups_.push_back(group);
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

void TEpdBatchDialog::showEvent(QShowEvent* event) {
    lblStatus->setVisible(false);
    mpbProgress->setVisible(false);
    QWidget* centre = viewer_ ? viewer_ : host_.HostWindow();
    if (centre) move(centre->x() + (centre->width() - width()) / 2, centre->y() + (centre->height() - height()) / 2);
    (host_.Header().Enabled ? HeaderButtons.Current : HeaderButtons.None)->setChecked(true);
    (host_.Footer().Enabled ? FooterButtons.Current : FooterButtons.None)->setChecked(true);
    QDialog::showEvent(event);
}

void TEpdBatchDialog::rbtFileClick() {
    Worksheet->setEnabled(false);
    chkMultDiagrams->setEnabled(false);
    rbtImageFile->setEnabled(true);
    rbtChessFile->setEnabled(true);
}

void TEpdBatchDialog::rbtPrinterClick() {
    Worksheet->setEnabled(false);
    chkMultDiagrams->setEnabled(true);
    rbtImageFile->setEnabled(false);
    rbtChessFile->setEnabled(false);
}

void TEpdBatchDialog::rbtWorksheetClick() {
    Worksheet->setEnabled(true);
    chkMultDiagrams->setEnabled(false);
    rbtImageFile->setEnabled(false);
    rbtChessFile->setEnabled(false);
}

// The ticked records on one PDF file, with the worksheet's own caption; the
// header and footer pages do not apply.
void TEpdBatchDialog::StartWorksheet() {
    std::vector<TSheetPosition> positions;
    for (const TEPDRec* record : source_.TickedRecords())
        positions.push_back(SheetPositionOfEpd(*record, static_cast<int>(positions.size()) + 1));
    const TSheetEnd end = MakeWorksheet(host_, positions, Worksheet->Options());
    lblStatus->setText(SheetStatus(end));
    lblStatus->setVisible(end != TSheetEnd::Cancelled);
}

// The mode of a page; a typed custom text goes into the record at once, and
// when it names caption fields it is kept as the template of every record's line.
TEpdCaptionMode TEpdBatchDialog::LineMode(TEpdLineButtons& b, THeaderFooterInfo& line, std::string& captionTemplate) {
    captionTemplate.clear();
    if (b.Description->isChecked()) return TEpdCaptionMode::Description;
    if (b.BestMove->isChecked()) return TEpdCaptionMode::BestMove;
    if (b.Current->isChecked()) return TEpdCaptionMode::Current;
    if (b.Custom->isChecked() && !b.Text->text().isEmpty()) {
        line.Text = b.Text->text().toStdString();
        line.Enabled = true;
        if (!CaptionFieldsOf(line.Text).empty()) captionTemplate = line.Text;
        return TEpdCaptionMode::Current;
    }
    return TEpdCaptionMode::None;
}

void TEpdBatchDialog::Pause(int ms) { PauseWithEvents(ms, abort_); }

void TEpdBatchDialog::SetOptionsEnabled(bool enabled) {
    for (QGroupBox* g : groups_) g->setEnabled(enabled);
    btnStart->setEnabled(enabled);
}

void TEpdBatchDialog::btnStartClick() {
    if (rbtWorksheet->isChecked()) return StartWorksheet();
    for (QLineEdit* edit : {HeaderButtons.Text, FooterButtons.Text}) edit->setText(edit->text().trimmed());
    // The main header and footer are as before once the run ends, however it ends.
    savedHeader_ = host_.Header();
    savedFooter_ = host_.Footer();
    headerMode_ = LineMode(HeaderButtons, host_.Header(), headerTemplate_);
    footerMode_ = LineMode(FooterButtons, host_.Footer(), footerTemplate_);
    TBatchDestination destination;
    if (rbtPrinter->isChecked()) {
        destination =
            chkMultDiagrams->isChecked() ? TBatchDestination::PrinterManyPerPage : TBatchDestination::PrinterOnePerJob;
    } else if (rbtImageFile->isChecked()) {
        destination = TBatchDestination::ImageFiles;
        if (!ChooseBatchImageFile(host_,
                                  BatchFileMessage("Eg. if you choose \"MYBMP.BMP\", the diagrams",
                                                   {"MYBMP001.BMP", "MYBMP002.BMP", "MYBMP003.BMP"}),
                                  false, file_))
            return RestoreLines();
    } else {
        destination = TBatchDestination::DiagramFiles;
        if (!ChooseBatchDiagramFile(host_,
                                    BatchFileMessage("Eg. if you choose \"MyDiagram\", the diagrams",
                                                     {"MyDiagram001.vxd", "MyDiagram002.vxd", "MyDiagram003.vxd"}),
                                    file_))
            return RestoreLines();
    }
    for (auto [mode, line] : {std::pair{headerMode_, &host_.Header()}, {footerMode_, &host_.Footer()}}) {
        if (mode == TEpdCaptionMode::Description || mode == TEpdCaptionMode::BestMove) line->Enabled = true;
        if (mode == TEpdCaptionMode::None) line->Enabled = false;
    }
    try {
        if (!StartRun(destination)) return RestoreLines();
    } catch (const EDiagramTooLarge& e) {
        host_.Message(QString::fromLatin1(e.what()) +
                          "\r\n\r\nPlease select a larger paper size for your printer \r\nor reduce the scaling "
                          "factor applied to the diagrams.",
                      TBatchMessage::Warning, QMessageBox::Ok);
        return RestoreLines();
    }
    if (onThread_) {
        threadError_.clear();
        thread_.Start([this] {
            RunFiles();
            const bool failed = !threadError_.empty() || runner_->End() == TBatchEnd::Failed;
            document_.End(pages_.get(), printing_ ? printer_.get() : nullptr, failed);
        });
        showTimer_->start();
    } else {
        RunPrinter();
    }
}

void TEpdBatchDialog::RestoreLines() {
    host_.Header() = savedHeader_;
    host_.Footer() = savedFooter_;
}

bool TEpdBatchDialog::StartRun(TBatchDestination destination) {
    records_ = source_.TickedRecords();
    // A PDF file holds the run's pages, one diagram a page.
    const bool pdf = destination == TBatchDestination::ImageFiles && file_.Image.Format == TImageFormat::Pdf;
    if (pdf) destination = TBatchDestination::PrinterOnePerJob;
    onThread_ = !rbtPrinter->isChecked();
    printer_ = pdf ? std::make_unique<TPdfPrintTarget>(file_.Name.Path + file_.Name.Stem + file_.Name.Extension)
                   : host_.OpenPrinter();
    const QSize page = printer_->PageSize();
    const QSize board = host_.Board().DiagramSize();
    const TPageGrid grid = ComputePageGrid(page.width(), page.height(), host_.PrintFactor(), board.width(),
                                           board.height(), host_.Header(), host_.Footer());
    if (!grid.Fits) {
        printer_.reset();
        throw EDiagramTooLarge();
    }
    printing_ =
        destination == TBatchDestination::PrinterManyPerPage || destination == TBatchDestination::PrinterOnePerJob;
    // Marks on the board belong to its own position, not to the records; the
    // viewer gives the board back when the run ends.
    host_.Board().SetMarks({});
    const TOutputKind kind = printing_                                      ? TOutputKind::Printed
                             : destination == TBatchDestination::ImageFiles ? TOutputKind::Image
                                                                            : TOutputKind::Diagram;
    document_ = {};
    if (!(runner_ = PrepareBatchRun(host_, kind, file_.Image))) {
        printer_.reset();
        return false;
    }
    if (printing_) {
        pages_ = std::make_unique<TBatchPrinter>(*printer_, grid, destination == TBatchDestination::PrinterManyPerPage);
        runner_->SetPrinter(pages_.get());
    }
    const int count = static_cast<int>(records_.size());
    lblGame->setText(QStringLiteral("0 / %1").arg(count));
    mpbProgress->SetValue(0);
    mpbProgress->SetMaxValue(std::max(count, 1));
    lblStatus->setVisible(true);
    mpbProgress->setVisible(true);
    SetOptionsEnabled(false);
    abort_ = false;
    running_ = true;
    return true;
}

// The diagram of the n-th record: its position and its header and footer by
// the modes, each composed from the line as it stands.
TDiagramJob TEpdBatchDialog::JobOf(int n, std::string& headerText, std::string& footerText) const {
    const TEPDRec& record = *records_[size_t(n - 1)];
    TDiagramJob job;
    std::copy(std::begin(record.Board), std::end(record.Board), job.Codes.begin());
    SetJobEpdState(job, record, {});
    headerText = headerTemplate_.empty() ? EpdCaptionText(headerMode_, record, headerText)
                                         : ExpandCaption(headerTemplate_, CaptionRecordOfEpd(record, n));
    footerText = footerTemplate_.empty() ? EpdCaptionText(footerMode_, record, footerText)
                                         : ExpandCaption(footerTemplate_, CaptionRecordOfEpd(record, n));
    job.HeaderText = headerText;
    job.FooterText = footerText;
    if (!printing_) job.FileName = EpdBatchFileName(file_.Name, n);
    return job;
}

// On the run's thread: every record, without a pause.
void TEpdBatchDialog::RunFiles() {
    try {
        std::string header = runner_->Diagram().Header.Text, footer = runner_->Diagram().Footer.Text;
        const int count = static_cast<int>(records_.size());
        for (int n = 1; n <= count && !thread_.Cancelled(); ++n) {
            TDiagramJob job = JobOf(n, header, footer);
            thread_.Publish({n, job.Codes});
            if (!runner_->Add(std::move(job)) || !runner_->Flush()) return;
        }
    } catch (const std::exception& e) {
        threadError_ = e.what();
    }
}

// On the dialog's clock: the newest record on the board and in the counters;
// the run's end once its thread is done.
void TEpdBatchDialog::ShowRunState() {
    TShown shown;
    if (thread_.Take(shown)) {
        lblGame->setText(QStringLiteral("%1 / %2").arg(shown.Number).arg(records_.size()));
        mpbProgress->SetValue(shown.Number);
        lblStatus->setText(QStringLiteral("Saving file..."));
        host_.Board().SetCodes(shown.Codes);
        host_.Board().Refresh();
    }
    if (!thread_.Finished()) return;
    thread_.Join();
    showTimer_->stop();
    EndRun();
}

// The printer: one diagram after the other on the dialog's thread, the
// interface running between them.
void TEpdBatchDialog::RunPrinter() {
    const int count = static_cast<int>(records_.size());
    std::string header = host_.Header().Text, footer = host_.Footer().Text;
    for (int n = 1; n <= count && !abort_; ++n) {
        lblGame->setText(QStringLiteral("%1 / %2").arg(n).arg(count));
        mpbProgress->SetValue(n);
        QCoreApplication::processEvents();
        if (abort_) break;
        lblStatus->setText(QStringLiteral("Searching game..."));
        TDiagramJob job = JobOf(n, header, footer);
        host_.Board().SetCodes(job.Codes);
        host_.Board().Refresh();
        lblStatus->setText(QStringLiteral("Setting up board..."));
        lblStatus->setText(QStringLiteral("Printing..."));
        if (!runner_->Add(std::move(job)) || !runner_->Flush()) break;
        Pause(pause_);
    }
    EndRun();
}

void TEpdBatchDialog::StopThread() {
    thread_.Cancel();
    if (runner_) runner_->Cancel();
    thread_.Join();
    showTimer_->stop();
}

void TEpdBatchDialog::EndRun() {
    if (!runner_) return;
    if (abort_ && runner_->End() == TBatchEnd::Done) runner_->Cancel();
    TBatchEnd end = runner_->End();
    std::string runError = threadError_.empty() ? runner_->Error() : threadError_;
    if (!threadError_.empty()) end = TBatchEnd::Failed;
    // What was printed before an error stays; a cancel prints the page in progress
    // (unless the run's thread has ended the document already).
    const bool finished = document_.End(pages_.get(), printing_ ? printer_.get() : nullptr, end == TBatchEnd::Failed);
    if (!printing_) FlushFolder(QFile::encodeName(file_.Name.Path.isEmpty() ? "." : file_.Name.Path).toStdString());
    QString status = QStringLiteral("Done.");
    if (end == TBatchEnd::Failed) {
        status = QStringLiteral("Error!");
        host_.Message(QString::fromStdString(runError), TBatchMessage::Error, QMessageBox::Ok);
    } else if (!finished) {
        status = QStringLiteral("Error!");
        if (end == TBatchEnd::Done)
            host_.Message(QString::fromStdString(document_.Error), TBatchMessage::Error, QMessageBox::Ok);
    } else if (end == TBatchEnd::Cancelled) {
        status = QStringLiteral("Aborted.");
    }
    runner_.reset();
    pages_.reset();
    printer_.reset();
    records_.clear();
    running_ = false;
    RestoreLines();
    SetOptionsEnabled(true);
    lblGame->setText(QStringLiteral("0 / 0"));
    mpbProgress->SetValue(0);
    lblStatus->setText(status);
}

void TEpdBatchDialog::btnCancelClick() {
    if (!running_) {
        reject();
        return;
    }
    abort_ = true;
    // The thread stops after the diagram in hand; the printer's loop at its next step.
    if (onThread_) {
        StopThread();
        EndRun();
    }
}

void TEpdBatchDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        btnCancelClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TEpdBatchDialog::done(int result) {
    source_.KeepBatchTexts(HeaderButtons.Text->text(), FooterButtons.Text->text());
    // Closing stops a run on its thread first.
    if (running_ && onThread_) {
        abort_ = true;
        StopThread();
        EndRun();
    }
    QDialog::done(result);
}

void TEpdBatchDialog::closeEvent(QCloseEvent* event) {
    abort_ = true;
    if (running_ && onThread_) {
        StopThread();
        EndRun();
    }
    QCoreApplication::processEvents();
    QDialog::closeEvent(event);
}

}  // namespace vorlix
