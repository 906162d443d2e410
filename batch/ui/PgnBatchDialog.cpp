#include "batch/ui/PgnBatchDialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFontDialog>
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
#include "batch/PgnBatchJobs.h"
#include "print/BatchPrinter.h"
#include "files/SafeFileWriter.h"
#include "batch/BatchSources.h"
#include "batch/PositionList.h"
#include "batch/ui/BatchDialogParts.h"
#include "batch/ui/BatchHost.h"
#include "batch/ui/KXProgressBar.h"
#include "board/ChessBoard.h"
#include "board/Fonts.h"

namespace vorlix {
namespace {

// Help topics of the four pages.
constexpr int kHelpContexts[] = {3200, 3210, 3220, 3230};

QCheckBox* Box(const QString& caption, QWidget* parent, const char* name) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QRadioButton* Radio(const QString& caption, QWidget* parent, const char* name) {
    return NamedRadioButton(caption, parent, QString::fromLatin1(name));
}

}  // namespace

TCaptionItems TCaptionBoxes::Items() const {
    TCaptionItems items;
    items.Event = Event->isChecked();
    items.Site = Site->isChecked();
    items.Date = Date->isChecked();
    items.Move = Move->isChecked();
    items.White = White->isChecked();
    items.Black = Black->isChecked();
    items.Result = Result->isChecked();
    items.ECO = ECO->isChecked();
    items.WhiteElo = WhiteElo->isChecked();
    items.BlackElo = BlackElo->isChecked();
    return items;
}

void TCaptionBoxes::SetContentEnabled(bool enabled) {
    for (QCheckBox* box : {Event, Site, Date, Move, White, Black, Result, ECO, WhiteElo, BlackElo}) box->setEnabled(enabled);
}

TfrmPAutoVorlix::TfrmPAutoVorlix(TBatchHost& host, TPgnBatchSource& source, QWidget* viewer)
    : QDialog(viewer ? viewer : host.HostWindow()), FHost(host), FSource(source), FViewer(viewer) {
    setObjectName(QStringLiteral("frmPAutoVorlix"));
    setWindowTitle(QStringLiteral("PGN Auto Vorlix"));
    FMainHeaderText = host.Header().Text;
    FMainFooterText = host.Footer().Text;
    auto* layout = new QVBoxLayout(this);
    auto* menu = new QMenuBar(this);
    menu->addMenu(QStringLiteral("&Printer"))->addAction(QStringLiteral("&Setup"), this, &TfrmPAutoVorlix::mnuFilePtrSetupClick);
    layout->setMenuBar(menu);
    Pages = new QTabWidget(this);
    Pages->addTab(CreateDestinationPage(), QStringLiteral("Destination"));
    Pages->addTab(CreatePositionsPage(), QStringLiteral("Positions"));
    Pages->addTab(CreateCaptionPage(HeaderBoxes, "Show &headers in diagrams...", btnHExample, btnHFont, true),
                  QStringLiteral("Headers"));
    Pages->addTab(CreateCaptionPage(FooterBoxes, "Show &footers in diagrams...", btnFExample, btnFFont, false),
                  QStringLiteral("Footers"));
    layout->addWidget(Pages);
    CreateBottom(layout);
    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TfrmPAutoVorlix::Timer1Timer);
    FShowTimer = new QTimer(this);
    FShowTimer->setInterval(40);
    connect(FShowTimer, &QTimer::timeout, this, &TfrmPAutoVorlix::ShowRunState);
}

TfrmPAutoVorlix::~TfrmPAutoVorlix() = default;

QWidget* TfrmPAutoVorlix::CreateDestinationPage() {
    auto* page = new QWidget;
    auto* group = new QGroupBox(QStringLiteral("Destination:"), page);
    FGroups.push_back(group);
    auto* grid = new QGridLayout(group);
    rbtFile = Radio("&File...", group, "rbtFile");
    rbtImageFile = Radio("&Image File", group, "rbtImageFile");
    rbtChessFile = Radio("Chess &Diagram", group, "rbtChessFile");
    rbtPrinter = Radio("&Printer...", group, "rbtPrinter");
    chkMultDiagrams = Box("&Multiple diagrams per page", group, "chkMultDiagrams");
    chkNewPage = Box("&New page after each game", group, "chkNewPage");
    auto* where = new QButtonGroup(group);
    where->addButton(rbtFile);
    where->addButton(rbtPrinter);
    auto* kind = new QButtonGroup(group);
    kind->addButton(rbtImageFile);
    kind->addButton(rbtChessFile);
    grid->addWidget(rbtFile, 0, 0);
    grid->addWidget(rbtImageFile, 1, 1);
    grid->addWidget(rbtChessFile, 2, 1);
    grid->addWidget(rbtPrinter, 3, 0);
    grid->addWidget(chkMultDiagrams, 4, 1);
    grid->addWidget(chkNewPage, 5, 1);
    grid->setColumnMinimumWidth(0, 20);
    rbtFile->setChecked(true);
    rbtImageFile->setChecked(true);
    chkMultDiagrams->setChecked(true);
    chkMultDiagrams->setEnabled(false);
    chkNewPage->setEnabled(false);
    connect(rbtFile, &QRadioButton::clicked, this, &TfrmPAutoVorlix::rbtFileClick);
    connect(rbtPrinter, &QRadioButton::clicked, this, &TfrmPAutoVorlix::rbtPrinterClick);
    connect(chkMultDiagrams, &QCheckBox::clicked, this, &TfrmPAutoVorlix::chkMultDiagramsClick);
    (new QVBoxLayout(page))->addWidget(group);
    return page;
}

QWidget* TfrmPAutoVorlix::CreatePositionsPage() {
    auto* page = new QWidget;
    auto* group = new QGroupBox(QStringLiteral("What Positions?:"), page);
    FGroups.push_back(group);
    auto* grid = new QGridLayout(group);
    rbtEntire = Radio("&Entire game", group, "rbtEntire");
    rbtCustom = Radio("C&ustom selection...", group, "rbtCustom");
    rbtFixedPos = Radio("&Fixed position(s) from game...", group, "rbtFixedPos");
    edtPositionsStart = new QLineEdit(group);
    edtPositionsStart->setObjectName(QStringLiteral("edtPositionsStart"));
    edtPositionsEnd = new QLineEdit(group);
    edtPositionsEnd->setObjectName(QStringLiteral("edtPositionsEnd"));
    CheckBox1 = Box("Final Position", group, "CheckBox1");
    chkFenStart = Box("Starting Position", group, "chkFenStart");
    chkFenFinal = Box("Final Position", group, "chkFenFinal");
    grid->addWidget(rbtEntire, 0, 0, 1, 3);
    grid->addWidget(rbtCustom, 1, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("From start:"), group), 2, 1);
    grid->addWidget(edtPositionsStart, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("From end:"), group), 3, 1);
    grid->addWidget(edtPositionsEnd, 3, 2);
    grid->addWidget(rbtFixedPos, 4, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Normal:"), group), 5, 1);
    grid->addWidget(CheckBox1, 5, 2);
    grid->addWidget(new QLabel(QStringLiteral("FEN:"), group), 6, 1);
    grid->addWidget(chkFenStart, 6, 2);
    grid->addWidget(chkFenFinal, 7, 2);
    grid->setColumnMinimumWidth(0, 20);
    rbtFixedPos->setChecked(true);
    CheckBox1->setChecked(true);
    CheckBox1->setEnabled(false);
    chkFenStart->setChecked(true);
    edtPositionsStart->setEnabled(false);
    edtPositionsEnd->setEnabled(false);
    for (QRadioButton* b : {rbtEntire, rbtCustom, rbtFixedPos})
        connect(b, &QRadioButton::clicked, this, &TfrmPAutoVorlix::UpdatePositionControls);
    for (QLineEdit* e : {edtPositionsStart, edtPositionsEnd}) {
        e->installEventFilter(this);
        connect(e, &QLineEdit::textChanged, this, &TfrmPAutoVorlix::edtPositionsStartChange);
    }
    (new QVBoxLayout(page))->addWidget(group);
    return page;
}

QWidget* TfrmPAutoVorlix::CreateCaptionPage(TCaptionBoxes& b, const QString& showCaption, QPushButton*& example,
                                            QPushButton*& font, bool header) {
    auto* page = new QWidget;
    auto* group = new QGroupBox(header ? QStringLiteral("Header Settings:") : QStringLiteral("Footer Settings:"), page);
    FGroups.push_back(group);
    auto* grid = new QGridLayout(group);
    const char* p = header ? "chkH" : "chkF";
    auto name = [p](const char* item) { return QByteArray(p) + item; };
    b.Show = Box(showCaption, group, header ? "chkShowHeaders" : "chkShowFooters");
    b.Event = Box("Event", group, name("Event"));
    b.Site = Box("Site", group, name("Site"));
    b.Date = Box("Date", group, name("Date"));
    b.Move = Box("Move Data", group, name("Move"));
    b.White = Box("White", group, name("White"));
    b.Black = Box("Black", group, name("Black"));
    b.Result = Box("Result", group, name("Result"));
    b.ECO = Box("ECO", group, name("ECO"));
    b.WhiteElo = Box("Elo White", group, name("WhiteElo"));
    b.BlackElo = Box("Elo Black", group, name("BlackElo"));
    grid->addWidget(b.Show, 0, 0, 1, 3);
    const QCheckBox* order[] = {b.Event, b.Site, b.Date, b.Move, b.White, b.Black, b.Result, b.ECO, b.WhiteElo, b.BlackElo};
    for (int i = 0; i < 10; ++i) grid->addWidget(const_cast<QCheckBox*>(order[i]), 1 + i % 4, i / 4);
    example = new QPushButton(QStringLiteral("Example"), group);
    font = new QPushButton(QStringLiteral("Font"), group);
    example->setObjectName(header ? "btnHExample" : "btnFExample");
    font->setObjectName(header ? "btnHFont" : "btnFFont");
    grid->addWidget(example, 5, 1);
    grid->addWidget(font, 5, 2);
    connect(b.Show, &QCheckBox::clicked, this,
            header ? &TfrmPAutoVorlix::chkShowHeadersClick : &TfrmPAutoVorlix::chkShowFootersClick);
    connect(example, &QPushButton::clicked, this,
            header ? &TfrmPAutoVorlix::btnHExampleClick : &TfrmPAutoVorlix::btnFExampleClick);
    connect(font, &QPushButton::clicked, this, header ? &TfrmPAutoVorlix::btnHFontClick : &TfrmPAutoVorlix::btnFFontClick);
    (new QVBoxLayout(page))->addWidget(group);
    return page;
}

void TfrmPAutoVorlix::CreateBottom(QVBoxLayout* layout) {
    auto* grid = new QGridLayout;
    auto label = [this](const char* text, const char* name) {
        auto* l = new QLabel(QString::fromLatin1(text), this);
        if (name) l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    grid->addWidget(label("Example:", nullptr), 0, 0);
    lblExample = label("", "lblExample");
    grid->addWidget(lblExample, 0, 1, 1, 3);
    grid->addWidget(label("Game:", nullptr), 1, 0);
    lblGame = label("0 / 0", "lblGame");
    grid->addWidget(lblGame, 1, 1);
    lblPos = label("Pos.:", "lblPos");
    lblPosition = label("", "lblPosition");
    grid->addWidget(lblPos, 1, 2);
    grid->addWidget(lblPosition, 1, 3);
    lblPos->hide();
    layout->addLayout(grid);
    const TBatchDialogBottom bottom = AddBatchDialogBottom(this, layout);
    lblStatus = bottom.Status;
    mpbProgress = bottom.Progress;
    btnHelp = bottom.Help;
    btnCancel = bottom.Cancel;
    btnStart = bottom.Start;
    connect(btnHelp, &QPushButton::clicked, this, &TfrmPAutoVorlix::btnHelpClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmPAutoVorlix::btnCancelClick);
    connect(btnStart, &QPushButton::clicked, this, &TfrmPAutoVorlix::btnStartClick);
}

void TfrmPAutoVorlix::SetPacing(int printerMs, int pauseMs) {
    FPrinterInterval = printerMs;
    FPause = pauseMs;
}

bool TfrmPAutoVorlix::Running() const { return !btnStart->isEnabled() && FRunner; }

void TfrmPAutoVorlix::showEvent(QShowEvent* event) {
    lblStatus->setVisible(false);
    mpbProgress->setVisible(false);
    if (FViewer)
        move(FViewer->x() + (FViewer->width() - width()) / 2,
             FViewer->y() + FViewer->frameGeometry().height() - FViewer->height());
    HeaderBoxes.Show->setChecked(FHost.Header().Enabled);
    FooterBoxes.Show->setChecked(FHost.Footer().Enabled);
    HeaderBoxes.SetContentEnabled(FHost.Header().Enabled);
    FooterBoxes.SetContentEnabled(FHost.Footer().Enabled);
    QDialog::showEvent(event);
}

void TfrmPAutoVorlix::rbtFileClick() {
    chkMultDiagrams->setEnabled(false);
    chkNewPage->setEnabled(false);
    rbtImageFile->setEnabled(true);
    rbtChessFile->setEnabled(true);
}

void TfrmPAutoVorlix::rbtPrinterClick() {
    chkMultDiagrams->setEnabled(true);
    chkNewPage->setEnabled(chkMultDiagrams->isChecked());
    rbtImageFile->setEnabled(false);
    rbtChessFile->setEnabled(false);
}

void TfrmPAutoVorlix::chkMultDiagramsClick() { chkNewPage->setEnabled(chkMultDiagrams->isChecked()); }

void TfrmPAutoVorlix::UpdatePositionControls() {
    const bool custom = rbtCustom->isChecked(), fixed = rbtFixedPos->isChecked();
    edtPositionsStart->setEnabled(custom);
    edtPositionsEnd->setEnabled(custom);
    chkFenStart->setEnabled(fixed);
    chkFenFinal->setEnabled(fixed);
    edtPositionsStartChange();
}

void TfrmPAutoVorlix::edtPositionsStartChange() {
    if (!rbtCustom->isChecked()) {
        btnStart->setEnabled(true);
        return;
    }
    btnStart->setEnabled(IsValidPositionText(edtPositionsStart->text().toStdString()) ||
                         IsValidPositionText(edtPositionsEnd->text().toStdString()));
}

bool TfrmPAutoVorlix::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || (watched != edtPositionsStart && watched != edtPositionsEnd))
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (text.size() != 1 || !text[0].isPrint()) return false;  // editing and navigation keys
    const auto accepted = FilterPositionKey(text[0].unicode());
    if (!accepted) {
        QApplication::beep();
        return true;
    }
    if (*accepted != text[0].unicode()) {
        static_cast<QLineEdit*>(watched)->insert(QString(QChar(char16_t(*accepted))));
        return true;
    }
    return false;
}

void TfrmPAutoVorlix::chkShowHeadersClick() {
    FHost.Header().Enabled = HeaderBoxes.Show->isChecked();
    HeaderBoxes.SetContentEnabled(FHost.Header().Enabled);
}

void TfrmPAutoVorlix::chkShowFootersClick() {
    FHost.Footer().Enabled = FooterBoxes.Show->isChecked();
    FooterBoxes.SetContentEnabled(FHost.Footer().Enabled);
}

void TfrmPAutoVorlix::btnHExampleClick() {
    lblExample->setText(QString::fromStdString(ComposeExampleCaption(HeaderBoxes.Items(), FMainHeaderText)));
}

void TfrmPAutoVorlix::btnFExampleClick() {
    lblExample->setText(QString::fromStdString(ComposeExampleCaption(FooterBoxes.Items(), FMainFooterText)));
}

static void ChooseFont(QWidget* parent, THeaderFooterInfo& line) {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, MakeFont(line.Font), parent);
    if (ok) line.Font = FontToCFontKeepingName(font, line.Font.Color, line.Font.Name);
}

void TfrmPAutoVorlix::btnHFontClick() { ChooseFont(this, FHost.Header()); }
void TfrmPAutoVorlix::btnFFontClick() { ChooseFont(this, FHost.Footer()); }
void TfrmPAutoVorlix::btnHelpClick() { FHost.ShowHelp(kHelpContexts[std::max(0, Pages->currentIndex())]); }

void TfrmPAutoVorlix::mnuFilePtrSetupClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    FHost.PrinterSetup();
    QApplication::restoreOverrideCursor();
}

void TfrmPAutoVorlix::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        btnCancelClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

// ---- the run ----

bool TfrmPAutoVorlix::PrepareDestination() {
    const bool image = rbtImageFile->isChecked();
    if (rbtPrinter->isChecked()) return true;
    const QString example =
        image ? BatchFileMessage("Eg. if you choose \"MyBMP.BMP\" the diagrams", {"MyBMP0001.BMP", "MyBMP0002.BMP", "MyBMP0003.BMP"})
              : BatchFileMessage("Eg. if you choose \"MyDiagram\" the diagrams",
                                 {"MyDiagram0001.vxd", "MyDiagram0002.vxd", "MyDiagram0003.vxd"});
    return image ? ChooseBatchImageFile(FHost, example, true, FFile) : ChooseBatchDiagramFile(FHost, example, FFile);
}

void TfrmPAutoVorlix::btnStartClick() {
    FRule.Mode = rbtEntire->isChecked() ? TPositionMode::Entire
                 : rbtCustom->isChecked() ? TPositionMode::Custom : TPositionMode::Fixed;
    FRule.FenStart = chkFenStart->isChecked();
    FRule.FenFinal = chkFenFinal->isChecked();
    FRule.Custom.FromStart.Clear();
    FRule.Custom.FromEnd.Clear();
    if (FRule.Mode == TPositionMode::Custom) {
        std::string error;
        if (!ParsePositionText(edtPositionsStart->text().toStdString(), FRule.Custom.FromStart, error) ||
            !ParsePositionText(edtPositionsEnd->text().toStdString(), FRule.Custom.FromEnd, error)) {
            FHost.Message(QString::fromStdString(error), TBatchMessage::Error, QMessageBox::Ok);
            return;
        }
    }
    TBatchDestination destination = rbtPrinter->isChecked()
                                        ? (chkMultDiagrams->isChecked() ? TBatchDestination::PrinterManyPerPage
                                                                        : TBatchDestination::PrinterOnePerJob)
                                        : rbtImageFile->isChecked() ? TBatchDestination::ImageFiles
                                                                    : TBatchDestination::DiagramFiles;
    if (!PrepareDestination()) return;
    // A PDF file holds the run's pages, one diagram a page.
    const bool pdf = !rbtPrinter->isChecked() && rbtImageFile->isChecked() && FFile.Image.Format == TImageFormat::Pdf;
    if (pdf) destination = TBatchDestination::PrinterOnePerJob;
    FPrinter = pdf ? std::make_unique<TPdfPrintTarget>(FFile.Name.Path + FFile.Name.Stem + FFile.Name.Extension)
                   : FHost.OpenPrinter();
    FOnThread = !rbtPrinter->isChecked();
    const QSize page = FPrinter->PageSize();
    const QSize board = FHost.Board().DiagramSize();
    const TPageGrid grid = ComputePageGrid(page.width(), page.height(), FHost.PrintFactor(), board.width(),
                                           board.height(), FHost.Header(), FHost.Footer());
    if (!grid.Fits) {
        FHost.Message("The diagram(s) will not fit on your paper!!\r\n\r\nPlease select a larger paper size for your "
                      "printer \r\nor reduce the scaling factor applied to the diagrams.",
                      TBatchMessage::Warning, QMessageBox::Ok);
        FPrinter.reset();
        return;
    }
    if (!StartRun(destination, grid)) return;
    FAbort = false;
    lblGame->setText(QStringLiteral("0 / %1").arg(FJobs->Counters().GameCount));
    lblStatus->setVisible(true);
    mpbProgress->setVisible(true);
    SetOptionsEnabled(false);
    if (!FOnThread) {
        Timer1->setInterval(FPrinterInterval);
        return Timer1->start();
    }
    FThreadError.clear();
    lblStatus->setText(QStringLiteral("Saving file..."));
    FThread.Start([this] { RunFiles(); });
    FShowTimer->start();
}

// On the run's thread: every position of every game, without a pause.
void TfrmPAutoVorlix::RunFiles() {
    try {
        do {
            if (FJobs->NothingToDo()) {
                FThread.Publish({FJobs->Counters(), true, {}});
                FJobs->SkipRest();
            }
            while (FJobs->HasJob() && !FThread.Cancelled()) {
                TDiagramJob job = FJobs->TakeJob();
                FThread.Publish({FJobs->Counters(), false, job});
                if (!FRunner->Add(std::move(job)) || !FRunner->Flush()) return;
            }
        } while (!FThread.Cancelled() && FJobs->NextGame());
    } catch (const std::exception& e) {
        FThreadError = e.what();
    }
}

// On the dialog's clock: the newest position on the board and in the
// counters; the run's end once its thread is done.
void TfrmPAutoVorlix::ShowRunState() {
    TShown shown;
    if (FThread.Take(shown)) {
        if (shown.NothingToDo) {
            lblStatus->setText(QStringLiteral("FEN Game: nothing to do!!"));
        } else {
            lblStatus->setText(QStringLiteral("Saving file..."));
            FHost.Board().SetCodes(shown.Job.Codes);
            FHost.Board().SetGameMarks(shown.Job.Marks);
            FHost.Board().Refresh();
            // The composed header and footer go into the main records; the last ones stay there.
            if (shown.Job.HeaderText) FHost.Header().Text = *shown.Job.HeaderText;
            if (shown.Job.FooterText) FHost.Footer().Text = *shown.Job.FooterText;
        }
        ShowProgress(shown.Counters);
    }
    if (!FThread.Finished()) return;
    StopThread();
    if (FThread.Take(shown)) return ShowRunState();  // the last position first
    const bool failed = !FThreadError.empty() || FRunner->End() == TBatchEnd::Failed;
    if (failed)
        FHost.Message(QString::fromStdString(FThreadError.empty() ? FRunner->Error() : FThreadError),
                      TBatchMessage::Error, QMessageBox::Ok);
    Finish(failed ? TBatchEnd::Failed : FAbort ? TBatchEnd::Cancelled : TBatchEnd::Done);
}

// Asks the thread's run to stop after the diagram in hand and waits for it.
void TfrmPAutoVorlix::StopThread() {
    if (FAbort) {
        FThread.Cancel();
        if (FRunner) FRunner->Cancel();
    }
    FThread.Join();
    FShowTimer->stop();
}

// The walk over the games and the run that writes or prints their diagrams,
// with the board, header and footer as they are now.
bool TfrmPAutoVorlix::StartRun(TBatchDestination destination, const TPageGrid& grid) {
    FDestination = destination;
    FPrinting = destination == TBatchDestination::PrinterManyPerPage ||
                destination == TBatchDestination::PrinterOnePerJob;
    TPgnBatchOptions options;
    options.Rule = FRule;
    if (FHost.Header().Enabled) options.Header = HeaderBoxes.Items();
    if (FHost.Footer().Enabled) options.Footer = FooterBoxes.Items();
    if (!FPrinting) options.FileName = FFile.Name;
    options.Images = destination == TBatchDestination::ImageFiles;
    FJobs = std::make_unique<TPgnBatchJobs>(FSource, options);
    const TOutputKind kind = FPrinting ? TOutputKind::Printed
                             : options.Images ? TOutputKind::Image : TOutputKind::Diagram;
    FRunner = std::make_unique<TBatchRunner>(StyleOfBoard(FHost.Board(), FHost.Header(), FHost.Footer(), kind, FFile.Image), 1);
    TCollectingReporter styleErrors;
    if (!FRunner->Prepare(styleErrors)) {
        FHost.Message(QString::fromStdString(styleErrors.Last()), TBatchMessage::Error, QMessageBox::Ok);
        FRunner.reset();
        return false;
    }
    if (FPrinting) {
        FPages = std::make_unique<TBatchPrinter>(*FPrinter, grid, destination == TBatchDestination::PrinterManyPerPage);
        FRunner->SetPrinter(FPages.get());
    }
    if (FJobs->Start()) return true;
    FRunner.reset();
    FPages.reset();
    return false;
}

void TfrmPAutoVorlix::ShowProgress(const TPgnBatchCounters& c) {
    lblGame->setText(QStringLiteral("%1 / %2").arg(c.GameNumber).arg(c.GameCount));
    const bool fixed = FRule.Mode == TPositionMode::Fixed;
    lblPos->setVisible(!fixed);
    if (fixed) lblPosition->clear();
    else if (FRule.Mode == TPositionMode::Entire) lblPosition->setText(QStringLiteral("%1 / %2").arg(c.PositionNumber).arg(c.PositionCount));
    else lblPosition->setText(QStringLiteral("%1 / %2").arg(c.CapturedCount).arg(c.SelectedCount));
    double part = 0;
    if (FRule.Mode == TPositionMode::Custom) part = c.SelectedCount > 0 ? double(c.CapturedCount) / c.SelectedCount : 0;
    else part = c.PositionCount > 0 ? double(c.PositionNumber) / c.PositionCount : 0;
    const int min = mpbProgress->MinValue(), max = mpbProgress->MaxValue();
    if (c.GameCount > 0)
        mpbProgress->SetValue(min + int((double(c.GameNumber - 1) / c.GameCount + part / c.GameCount) * (max - min)));
}

void TfrmPAutoVorlix::Pause(int ms) { PauseWithEvents(ms, FAbort); }

void TfrmPAutoVorlix::HandleDiagram() {
    const TDiagramJob job = FJobs->TakeJob();
    ShowProgress(FJobs->Counters());
    QCoreApplication::processEvents();
    lblStatus->setText(QStringLiteral("Setting up board..."));
    FHost.Board().SetCodes(job.Codes);
    FHost.Board().SetGameMarks(job.Marks);
    FHost.Board().Refresh();
    Pause(FPause);
    // The composed header and footer go into the main records; the last ones stay there.
    if (job.HeaderText) FHost.Header().Text = *job.HeaderText;
    if (job.FooterText) FHost.Footer().Text = *job.FooterText;
    lblStatus->setText(FPrinting ? QStringLiteral("Making image...") : QStringLiteral("Saving file..."));
    if (!FRunner->Add(job) || !FRunner->Flush()) throw std::runtime_error(FRunner->Error());
    if (FPrinting) lblStatus->setText(QStringLiteral("Printing..."));
}

void TfrmPAutoVorlix::TickOnePosition() {
    if (FJobs->NothingToDo()) {
        lblStatus->setText(QStringLiteral("FEN Game: nothing to do!!"));
        ShowProgress(FJobs->Counters());
        QCoreApplication::processEvents();
        FJobs->SkipRest();
    } else if (FJobs->HasJob()) {
        HandleDiagram();
    }
    if (FAbort) return;
    if (!FJobs->HasJob() && !FJobs->NextGame()) return Finish(TBatchEnd::Done);
    Timer1->start();
}

void TfrmPAutoVorlix::TickOnePage() {
    if (FJobs->NothingToDo()) {
        lblStatus->setText(QStringLiteral("FEN Game: nothing to print..."));
        ShowProgress(FJobs->Counters());
        QCoreApplication::processEvents();
        if (!FJobs->NextGame()) return Finish(TBatchEnd::Done);
        Timer1->start();
        return;
    }
    lblStatus->setText(QStringLiteral("Processing..."));
    int placed = 0;
    bool done = false;
    while (!FAbort) {
        if (FJobs->HasJob()) {
            if (placed > 0 && FRunner->NextStartsPage()) break;  // the page is full
            HandleDiagram();
            ++placed;
            continue;
        }
        if (!FJobs->NextGame()) {
            done = true;
            break;
        }
        if (chkNewPage->isChecked() && placed > 0) break;
    }
    if (FAbort) return;
    if (!FRunner->EndPage()) throw std::runtime_error(FRunner->Error());
    Pause(FPause * 2);
    if (done) return Finish(TBatchEnd::Done);
    Timer1->start();
}

void TfrmPAutoVorlix::Timer1Timer() {
    if (FInTick || !FJobs || !FJobs->InGame()) return;
    FInTick = true;
    try {
        if (FDestination == TBatchDestination::PrinterManyPerPage) TickOnePage();
        else TickOnePosition();
    } catch (const std::exception& e) {
        FHost.Message(QString::fromStdString(e.what()), TBatchMessage::Error, QMessageBox::Ok);
        FInTick = false;
        return Finish(TBatchEnd::Failed);
    }
    FInTick = false;
    if (FAbort) Finish(TBatchEnd::Cancelled);
}

void TfrmPAutoVorlix::Finish(TBatchEnd end) {
    Timer1->stop();
    StopThread();
    if (FRunner) {
        std::string error;
        if (end != TBatchEnd::Done && FPages) FPages->Abort();
        // The last page and the printer's document.
        const bool finished = (!FPages || FPages->EndPage(error)) && (!FPrinting || FPrinter->Finish(error));
        if (!finished && end == TBatchEnd::Done) {
            FHost.Message(QString::fromStdString(error), TBatchMessage::Error, QMessageBox::Ok);
            end = TBatchEnd::Failed;
        }
    }
    // The files were written without waiting for the disk; the folder's entries now are.
    if (FRunner && !FPrinting) FlushFolder(QFile::encodeName(FFile.Name.Path.isEmpty() ? "." : FFile.Name.Path).toStdString());
    FRunner.reset();
    FPages.reset();
    FPrinter.reset();
    if (FJobs) {
        FFaultyGames = FJobs->FaultyGames();
        FJobs.reset();
    }
    ReportFaultyGames();
    static const QString kStatus[] = {QStringLiteral("Done."), QStringLiteral("Aborted..."), QStringLiteral("Error!")};
    lblStatus->setText(kStatus[int(end)]);
    lblGame->setText(QStringLiteral("0 / 0"));
    lblPos->hide();
    lblPosition->clear();
    mpbProgress->SetValue(0);
    SetOptionsEnabled(true);
}

// One message for the whole run, so that a file with many faulty games does
// not stop the run at each of them.
void TfrmPAutoVorlix::ReportFaultyGames() {
    if (FFaultyGames.empty()) return;
    constexpr size_t kListed = 20;
    QString text = QStringLiteral("These games could not be replayed to their end:\r\n");
    for (size_t i = 0; i < FFaultyGames.size() && i < kListed; ++i)
        text += QStringLiteral("\r\n") + QString::fromStdString(FFaultyGames[i]);
    if (FFaultyGames.size() > kListed)
        text += QStringLiteral("\r\n... and %1 more.").arg(FFaultyGames.size() - kListed);
    FFaultyGames.clear();
    FHost.Message(text, TBatchMessage::Warning, QMessageBox::Ok);
}

void TfrmPAutoVorlix::SetOptionsEnabled(bool enabled) {
    for (QGroupBox* g : FGroups) g->setEnabled(enabled);
    btnStart->setEnabled(enabled);
    if (enabled) edtPositionsStartChange();
}

void TfrmPAutoVorlix::btnCancelClick() {
    if (btnStart->isEnabled() || !FRunner) {
        reject();
        return;
    }
    FAbort = true;
    if (!FInTick) Finish(TBatchEnd::Cancelled);
}

void TfrmPAutoVorlix::done(int result) {
    // Closing stops a run first.
    if (FRunner) {
        FAbort = true;
        if (!FInTick) Finish(TBatchEnd::Cancelled);
    }
    QDialog::done(result);
}

void TfrmPAutoVorlix::closeEvent(QCloseEvent* event) {
    if (FRunner) {
        FAbort = true;
        if (!FInTick) Finish(TBatchEnd::Cancelled);
    }
    QDialog::closeEvent(event);
}

}  // namespace vorlix
