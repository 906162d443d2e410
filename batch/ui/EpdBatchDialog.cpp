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
#include <QVBoxLayout>

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
}

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
    const THeaderFooterInfo savedHeader = FHost.Header(), savedFooter = FHost.Footer();
    struct TRestore {
        TBatchHost& Host;
        const THeaderFooterInfo &Header, &Footer;
        ~TRestore() {
            Host.Header() = Header;
            Host.Footer() = Footer;
        }
    } restore{FHost, savedHeader, savedFooter};
    const TEpdCaptionMode headerMode = LineMode(HeaderButtons, FHost.Header());
    const TEpdCaptionMode footerMode = LineMode(FooterButtons, FHost.Footer());
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
            return;
    } else {
        destination = TBatchDestination::DiagramFiles;
        if (!ChooseBatchDiagramFile(FHost,
                                    BatchFileMessage("Eg. if you choose \"MyDiagram\", the diagrams",
                                                     {"MyDiagram001.vxd", "MyDiagram002.vxd", "MyDiagram003.vxd"}),
                                    FFile))
            return;
    }
    for (auto [mode, line] : {std::pair{headerMode, &FHost.Header()}, {footerMode, &FHost.Footer()}}) {
        if (mode == TEpdCaptionMode::Description || mode == TEpdCaptionMode::BestMove) line->Enabled = true;
        if (mode == TEpdCaptionMode::None) line->Enabled = false;
    }
    try {
        Run(destination, headerMode, footerMode);
    } catch (const EDiagramTooLarge& e) {
        FHost.Message(QString::fromLatin1(e.what()) +
                          "\r\n\r\nPlease select a larger paper size for your printer \r\nor reduce the scaling "
                          "factor applied to the diagrams.",
                      TBatchMessage::Warning, QMessageBox::Ok);
    }
}

void TfrmAutoVorlix::Run(TBatchDestination destination, TEpdCaptionMode headerMode, TEpdCaptionMode footerMode) {
    const std::vector<const TEPDRec*> records = FSource.TickedRecords();
    const int count = static_cast<int>(records.size());
    std::unique_ptr<TPrintTarget> printer = FHost.OpenPrinter();
    const QSize page = printer->PageSize();
    const QSize board = FHost.Board().DiagramSize();
    const TPageGrid grid = ComputePageGrid(page.width(), page.height(), FHost.PrintFactor(), board.width(),
                                           board.height(), FHost.Header(), FHost.Footer());
    if (!grid.Fits) throw EDiagramTooLarge();
    const bool printing = destination == TBatchDestination::PrinterManyPerPage ||
                          destination == TBatchDestination::PrinterOnePerJob;
    // Marks on the board belong to its own position, not to the records; the
    // viewer gives the board back when the run ends.
    FHost.Board().SetMarks({});
    const TOutputKind kind = printing ? TOutputKind::Printed
                             : destination == TBatchDestination::ImageFiles ? TOutputKind::Image
                                                                            : TOutputKind::Diagram;
    TBatchRunner runner(StyleOfBoard(FHost.Board(), FHost.Header(), FHost.Footer(), kind, FFile.Image), 1);
    TCollectingReporter styleErrors;
    if (!runner.Prepare(styleErrors)) {
        FHost.Message(QString::fromStdString(styleErrors.Last()), TBatchMessage::Error, QMessageBox::Ok);
        return;
    }
    std::unique_ptr<TBatchPrinter> pages;
    if (printing) {
        pages = std::make_unique<TBatchPrinter>(*printer, grid, destination == TBatchDestination::PrinterManyPerPage);
        runner.SetPrinter(pages.get());
    }
    lblGame->setText(QStringLiteral("0 / %1").arg(count));
    mpbProgress->SetValue(0);
    mpbProgress->SetMaxValue(std::max(count, 1));
    lblStatus->setVisible(true);
    mpbProgress->setVisible(true);
    SetOptionsEnabled(false);
    FAbort = false;
    FRunning = true;
    for (int n = 1; n <= count && !FAbort; ++n) {
        lblGame->setText(QStringLiteral("%1 / %2").arg(n).arg(count));
        mpbProgress->SetValue(n);
        QCoreApplication::processEvents();
        if (FAbort) break;
        const TEPDRec& record = *records[size_t(n - 1)];
        lblStatus->setText(QStringLiteral("Searching game..."));
        TDiagramJob job;
        std::copy(std::begin(record.Board), std::end(record.Board), job.Codes.begin());
        FHost.Board().SetCodes(job.Codes);
        FHost.Board().Refresh();
        FHost.Header().Text = EpdCaptionText(headerMode, record, FHost.Header().Text);
        FHost.Footer().Text = EpdCaptionText(footerMode, record, FHost.Footer().Text);
        job.HeaderText = FHost.Header().Text;
        job.FooterText = FHost.Footer().Text;
        lblStatus->setText(QStringLiteral("Setting up board..."));
        if (!printing) job.FileName = EpdBatchFileName(FFile.Name, n);
        lblStatus->setText(printing ? QStringLiteral("Printing...") : QStringLiteral("Saving file..."));
        if (!runner.Add(std::move(job)) || !runner.Flush()) break;
        Pause(FPause);
    }
    if (FAbort && runner.End() == TBatchEnd::Done) runner.Cancel();
    const TBatchEnd end = runner.End();
    std::string error = runner.Error();
    // What was printed before an error stays; a cancel prints the page in progress.
    if (end == TBatchEnd::Failed && pages) pages->Abort();
    const bool finished = (!pages || pages->EndPage(error)) && (!printing || printer->Finish(error));
    if (!printing) FlushFolder(QFile::encodeName(FFile.Name.Path.isEmpty() ? "." : FFile.Name.Path).toStdString());
    QString status = QStringLiteral("Done.");
    if (end == TBatchEnd::Failed) {
        status = QStringLiteral("Error!");
        FHost.Message(QString::fromStdString(runner.Error()), TBatchMessage::Error, QMessageBox::Ok);
    } else if (!finished) {
        status = QStringLiteral("Error!");
        if (end == TBatchEnd::Done) FHost.Message(QString::fromStdString(error), TBatchMessage::Error, QMessageBox::Ok);
    } else if (end == TBatchEnd::Cancelled) {
        status = QStringLiteral("Aborted.");
    }
    FRunning = false;
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
    QDialog::done(result);
}

void TfrmAutoVorlix::closeEvent(QCloseEvent* event) {
    FAbort = true;
    QCoreApplication::processEvents();
    QDialog::closeEvent(event);
}

}  // namespace vorlix
