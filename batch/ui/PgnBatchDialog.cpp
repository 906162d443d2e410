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

#include "batch/BatchSources.h"
#include "batch/PgnBatchJobs.h"
#include "batch/PositionList.h"
#include "batch/ui/BatchDialogParts.h"
#include "batch/ui/BatchHost.h"
#include "batch/ui/PercentProgressBar.h"
#include "board/DiagramBoard.h"
#include "board/Fonts.h"
#include "files/SafeFileWriter.h"
#include "print/BatchPrinter.h"
#include "print/PdfPrintTarget.h"
#include "print/PrintTarget.h"

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
    for (QCheckBox* box : {Event, Site, Date, Move, White, Black, Result, ECO, WhiteElo, BlackElo})
        box->setEnabled(enabled);
}

TPgnBatchDialog::TPgnBatchDialog(TBatchHost& host, TPgnBatchSource& source, QWidget* viewer)
    : QDialog(viewer ? viewer : host.HostWindow()), host_(host), source_(source), viewer_(viewer) {
    setObjectName(QStringLiteral("frmPAutoVorlix"));
    setWindowTitle(QStringLiteral("PGN Auto Vorlix"));
    mainHeaderText_ = host.Header().Text;
    mainFooterText_ = host.Footer().Text;
    auto* layout = new QVBoxLayout(this);
    auto* menu = new QMenuBar(this);
    menu->addMenu(QStringLiteral("&Printer"))
        ->addAction(QStringLiteral("&Setup"), this, &TPgnBatchDialog::mnuFilePtrSetupClick);
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
    paceTimer = new QTimer(this);
    paceTimer->setSingleShot(true);
    connect(paceTimer, &QTimer::timeout, this, &TPgnBatchDialog::PaceTimerTimeout);
    showTimer_ = new QTimer(this);
    showTimer_->setInterval(40);
    connect(showTimer_, &QTimer::timeout, this, &TPgnBatchDialog::ShowRunState);
}

TPgnBatchDialog::~TPgnBatchDialog() = default;

QWidget* TPgnBatchDialog::CreateDestinationPage() {
    auto* page = new QWidget;
    auto* group = new QGroupBox(QStringLiteral("Destination:"), page);
    groups_.push_back(group);
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
    rbtWorksheet = Radio("&Worksheet (PDF)", group, "rbtWorksheet");
    where->addButton(rbtWorksheet);
    Worksheet = new TWorksheetChoice(group);
    Worksheet->setEnabled(false);
    grid->addWidget(rbtWorksheet, 6, 0, 1, 2);
    grid->addWidget(Worksheet, 7, 1);
    grid->setColumnMinimumWidth(0, 20);
    rbtFile->setChecked(true);
    rbtImageFile->setChecked(true);
    chkMultDiagrams->setChecked(true);
    chkMultDiagrams->setEnabled(false);
    chkNewPage->setEnabled(false);
    connect(rbtFile, &QRadioButton::clicked, this, &TPgnBatchDialog::rbtFileClick);
    connect(rbtPrinter, &QRadioButton::clicked, this, &TPgnBatchDialog::rbtPrinterClick);
    connect(rbtWorksheet, &QRadioButton::clicked, this, &TPgnBatchDialog::rbtWorksheetClick);
    connect(chkMultDiagrams, &QCheckBox::clicked, this, &TPgnBatchDialog::chkMultDiagramsClick);
    (new QVBoxLayout(page))->addWidget(group);
    return page;
}

QWidget* TPgnBatchDialog::CreatePositionsPage() {
    auto* page = new QWidget;
    auto* group = new QGroupBox(QStringLiteral("What Positions?:"), page);
    groups_.push_back(group);
    auto* grid = new QGridLayout(group);
    rbtEntire = Radio("&Entire game", group, "rbtEntire");
    rbtCustom = Radio("C&ustom selection...", group, "rbtCustom");
    rbtFixedPos = Radio("&Fixed position(s) from game...", group, "rbtFixedPos");
    edtPositionsStart = new QLineEdit(group);
    edtPositionsStart->setObjectName(QStringLiteral("edtPositionsStart"));
    edtPositionsEnd = new QLineEdit(group);
    edtPositionsEnd->setObjectName(QStringLiteral("edtPositionsEnd"));
    chkFinalPosition = Box("Final Position", group, "CheckBox1");
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
    grid->addWidget(chkFinalPosition, 5, 2);
    grid->addWidget(new QLabel(QStringLiteral("FEN:"), group), 6, 1);
    grid->addWidget(chkFenStart, 6, 2);
    grid->addWidget(chkFenFinal, 7, 2);
    grid->setColumnMinimumWidth(0, 20);
    rbtFixedPos->setChecked(true);
    chkFinalPosition->setChecked(true);
    chkFinalPosition->setEnabled(false);
    chkFenStart->setChecked(true);
    edtPositionsStart->setEnabled(false);
    edtPositionsEnd->setEnabled(false);
    for (QRadioButton* b : {rbtEntire, rbtCustom, rbtFixedPos})
        connect(b, &QRadioButton::clicked, this, &TPgnBatchDialog::UpdatePositionControls);
    for (QLineEdit* e : {edtPositionsStart, edtPositionsEnd}) {
        e->installEventFilter(this);
        connect(e, &QLineEdit::textChanged, this, &TPgnBatchDialog::edtPositionsStartChange);
    }
    (new QVBoxLayout(page))->addWidget(group);
    return page;
}

QWidget* TPgnBatchDialog::CreateCaptionPage(TCaptionBoxes& b, const QString& showCaption, QPushButton*& example,
                                            QPushButton*& font, bool header) {
    auto* page = new QWidget;
    auto* group = new QGroupBox(header ? QStringLiteral("Header Settings:") : QStringLiteral("Footer Settings:"), page);
    groups_.push_back(group);
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
    const QCheckBox* order[] = {b.Event, b.Site,   b.Date, b.Move,     b.White,
                                b.Black, b.Result, b.ECO,  b.WhiteElo, b.BlackElo};
    for (int i = 0; i < 10; ++i) grid->addWidget(const_cast<QCheckBox*>(order[i]), 1 + i % 4, i / 4);
    example = new QPushButton(QStringLiteral("Example"), group);
    font = new QPushButton(QStringLiteral("Font"), group);
    example->setObjectName(header ? "btnHExample" : "btnFExample");
    font->setObjectName(header ? "btnHFont" : "btnFFont");
    grid->addWidget(example, 5, 1);
    grid->addWidget(font, 5, 2);
    connect(b.Show, &QCheckBox::clicked, this,
            header ? &TPgnBatchDialog::chkShowHeadersClick : &TPgnBatchDialog::chkShowFootersClick);
    connect(example, &QPushButton::clicked, this,
            header ? &TPgnBatchDialog::btnHExampleClick : &TPgnBatchDialog::btnFExampleClick);
    connect(font, &QPushButton::clicked, this,
            header ? &TPgnBatchDialog::btnHFontClick : &TPgnBatchDialog::btnFFontClick);
    (new QVBoxLayout(page))->addWidget(group);
    return page;
}

void TPgnBatchDialog::CreateBottom(QVBoxLayout* layout) {
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
    connect(btnHelp, &QPushButton::clicked, this, &TPgnBatchDialog::btnHelpClick);
    connect(btnCancel, &QPushButton::clicked, this, &TPgnBatchDialog::btnCancelClick);
    connect(btnStart, &QPushButton::clicked, this, &TPgnBatchDialog::btnStartClick);
}

void TPgnBatchDialog::SetPacing(int printerMs, int pauseMs) {
    printerInterval_ = printerMs;
    pause_ = pauseMs;
}

bool TPgnBatchDialog::Running() const { return !btnStart->isEnabled() && runner_; }

void TPgnBatchDialog::showEvent(QShowEvent* event) {
    lblStatus->setVisible(false);
    mpbProgress->setVisible(false);
    if (viewer_)
        move(viewer_->x() + (viewer_->width() - width()) / 2,
             viewer_->y() + viewer_->frameGeometry().height() - viewer_->height());
    HeaderBoxes.Show->setChecked(host_.Header().Enabled);
    FooterBoxes.Show->setChecked(host_.Footer().Enabled);
    HeaderBoxes.SetContentEnabled(host_.Header().Enabled);
    FooterBoxes.SetContentEnabled(host_.Footer().Enabled);
    QDialog::showEvent(event);
}

void TPgnBatchDialog::rbtFileClick() {
    Worksheet->setEnabled(false);
    chkMultDiagrams->setEnabled(false);
    chkNewPage->setEnabled(false);
    rbtImageFile->setEnabled(true);
    rbtChessFile->setEnabled(true);
}

void TPgnBatchDialog::rbtPrinterClick() {
    Worksheet->setEnabled(false);
    chkMultDiagrams->setEnabled(true);
    chkNewPage->setEnabled(chkMultDiagrams->isChecked());
    rbtImageFile->setEnabled(false);
    rbtChessFile->setEnabled(false);
}

void TPgnBatchDialog::rbtWorksheetClick() {
    Worksheet->setEnabled(true);
    chkMultDiagrams->setEnabled(false);
    chkNewPage->setEnabled(false);
    rbtImageFile->setEnabled(false);
    rbtChessFile->setEnabled(false);
}

// The chosen positions of the checked games, picked as for files, on one PDF
// file with the worksheet's own caption; the header and footer pages do not apply.
void TPgnBatchDialog::StartWorksheet() {
    TPgnBatchOptions options;
    options.Rule = rule_;
    TPgnBatchJobs jobs(source_, options);
    std::vector<TSheetPosition> positions;
    for (bool more = jobs.Start(); more; more = jobs.NextGame())
        while (jobs.HasJob()) {
            positions.push_back(jobs.NextSheetPosition(static_cast<int>(positions.size()) + 1));
            jobs.TakeJob();
        }
    const TSheetEnd end = MakeWorksheet(host_, positions, Worksheet->Options());
    lblStatus->setText(SheetStatus(end));
    lblStatus->setVisible(end != TSheetEnd::Cancelled);
}

void TPgnBatchDialog::chkMultDiagramsClick() { chkNewPage->setEnabled(chkMultDiagrams->isChecked()); }

void TPgnBatchDialog::UpdatePositionControls() {
    const bool custom = rbtCustom->isChecked(), fixed = rbtFixedPos->isChecked();
    edtPositionsStart->setEnabled(custom);
    edtPositionsEnd->setEnabled(custom);
    chkFenStart->setEnabled(fixed);
    chkFenFinal->setEnabled(fixed);
    edtPositionsStartChange();
}

void TPgnBatchDialog::edtPositionsStartChange() {
    if (!rbtCustom->isChecked()) {
        btnStart->setEnabled(true);
        return;
    }
    btnStart->setEnabled(IsValidPositionText(edtPositionsStart->text().toStdString()) ||
                         IsValidPositionText(edtPositionsEnd->text().toStdString()));
}

bool TPgnBatchDialog::eventFilter(QObject* watched, QEvent* event) {
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

void TPgnBatchDialog::chkShowHeadersClick() {
    host_.Header().Enabled = HeaderBoxes.Show->isChecked();
    HeaderBoxes.SetContentEnabled(host_.Header().Enabled);
}

void TPgnBatchDialog::chkShowFootersClick() {
    host_.Footer().Enabled = FooterBoxes.Show->isChecked();
    FooterBoxes.SetContentEnabled(host_.Footer().Enabled);
}

void TPgnBatchDialog::btnHExampleClick() {
    lblExample->setText(QString::fromStdString(ComposeExampleCaption(HeaderBoxes.Items(), mainHeaderText_)));
}

void TPgnBatchDialog::btnFExampleClick() {
    lblExample->setText(QString::fromStdString(ComposeExampleCaption(FooterBoxes.Items(), mainFooterText_)));
}

static void ChooseFont(QWidget* parent, THeaderFooterInfo& line) {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, MakeFont(line.Font), parent);
    if (ok) line.Font = FontToCFontKeepingName(font, line.Font.Color, line.Font.Name);
}

void TPgnBatchDialog::btnHFontClick() { ChooseFont(this, host_.Header()); }
void TPgnBatchDialog::btnFFontClick() { ChooseFont(this, host_.Footer()); }
void TPgnBatchDialog::btnHelpClick() { host_.ShowHelp(kHelpContexts[std::max(0, Pages->currentIndex())]); }

void TPgnBatchDialog::mnuFilePtrSetupClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    host_.PrinterSetup();
    QApplication::restoreOverrideCursor();
}

void TPgnBatchDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        btnCancelClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

// ---- the run ----

bool TPgnBatchDialog::PrepareDestination() {
    const bool image = rbtImageFile->isChecked();
    if (rbtPrinter->isChecked()) return true;
    const QString example = image ? BatchFileMessage("Eg. if you choose \"MyBMP.BMP\" the diagrams",
                                                     {"MyBMP0001.BMP", "MyBMP0002.BMP", "MyBMP0003.BMP"})
                                  : BatchFileMessage("Eg. if you choose \"MyDiagram\" the diagrams",
                                                     {"MyDiagram0001.vxd", "MyDiagram0002.vxd", "MyDiagram0003.vxd"});
    return image ? ChooseBatchImageFile(host_, example, true, file_) : ChooseBatchDiagramFile(host_, example, file_);
}

void TPgnBatchDialog::btnStartClick() {
    rule_.Mode = rbtEntire->isChecked()   ? TPositionMode::Entire
                 : rbtCustom->isChecked() ? TPositionMode::Custom
                                          : TPositionMode::Fixed;
    rule_.FenStart = chkFenStart->isChecked();
    rule_.FenFinal = chkFenFinal->isChecked();
    rule_.Custom.FromStart.Clear();
    rule_.Custom.FromEnd.Clear();
    if (rule_.Mode == TPositionMode::Custom) {
        std::string error;
        if (!ParsePositionText(edtPositionsStart->text().toStdString(), rule_.Custom.FromStart, error) ||
            !ParsePositionText(edtPositionsEnd->text().toStdString(), rule_.Custom.FromEnd, error)) {
            host_.Message(QString::fromStdString(error), TBatchMessage::Error, QMessageBox::Ok);
            return;
        }
    }
    if (rbtWorksheet->isChecked()) return StartWorksheet();
    TBatchDestination destination = rbtPrinter->isChecked()
                                        ? (chkMultDiagrams->isChecked() ? TBatchDestination::PrinterManyPerPage
                                                                        : TBatchDestination::PrinterOnePerJob)
                                    : rbtImageFile->isChecked() ? TBatchDestination::ImageFiles
                                                                : TBatchDestination::DiagramFiles;
    if (!PrepareDestination()) return;
    // A PDF file holds the run's pages, one diagram a page.
    const bool pdf = !rbtPrinter->isChecked() && rbtImageFile->isChecked() && file_.Image.Format == TImageFormat::Pdf;
    if (pdf) destination = TBatchDestination::PrinterOnePerJob;
    printer_ = pdf ? std::make_unique<TPdfPrintTarget>(file_.Name.Path + file_.Name.Stem + file_.Name.Extension)
                   : host_.OpenPrinter();
    onThread_ = !rbtPrinter->isChecked();
    const QSize page = printer_->PageSize();
    const QSize board = host_.Board().DiagramSize();
    const TPageGrid grid = ComputePageGrid(page.width(), page.height(), host_.PrintFactor(), board.width(),
                                           board.height(), host_.Header(), host_.Footer());
    if (!grid.Fits) {
        host_.Message(
            "The diagram(s) will not fit on your paper!!\r\n\r\nPlease select a larger paper size for your "
            "printer \r\nor reduce the scaling factor applied to the diagrams.",
            TBatchMessage::Warning, QMessageBox::Ok);
        printer_.reset();
        return;
    }
    if (!StartRun(destination, grid)) return;
    abort_ = false;
    lblGame->setText(QStringLiteral("0 / %1").arg(jobs_->Counters().GameCount));
    lblStatus->setVisible(true);
    mpbProgress->setVisible(true);
    SetOptionsEnabled(false);
    if (!onThread_) {
        paceTimer->setInterval(printerInterval_);
        return paceTimer->start();
    }
    threadError_.clear();
    lblStatus->setText(QStringLiteral("Saving file..."));
    thread_.Start([this] {
        RunFiles();
        const bool done = threadError_.empty() && runner_->End() == TBatchEnd::Done && !thread_.Cancelled();
        document_.End(pages_.get(), printing_ ? printer_.get() : nullptr, !done);
    });
    showTimer_->start();
}

// On the run's thread: every position of every game, without a pause.
void TPgnBatchDialog::RunFiles() {
    try {
        do {
            if (jobs_->NothingToDo()) {
                thread_.Publish({jobs_->Counters(), true, {}});
                jobs_->SkipRest();
            }
            while (jobs_->HasJob() && !thread_.Cancelled()) {
                TDiagramJob job = jobs_->TakeJob();
                thread_.Publish({jobs_->Counters(), false, job});
                if (!runner_->Add(std::move(job)) || !runner_->Flush()) return;
            }
        } while (!thread_.Cancelled() && jobs_->NextGame());
    } catch (const std::exception& e) {
        threadError_ = e.what();
    }
}

// On the dialog's clock: the newest position on the board and in the
// counters; the run's end once its thread is done.
void TPgnBatchDialog::ShowRunState() {
    TShown shown;
    if (thread_.Take(shown)) {
        if (shown.NothingToDo) {
            lblStatus->setText(QStringLiteral("FEN Game: nothing to do!!"));
        } else {
            lblStatus->setText(QStringLiteral("Saving file..."));
            host_.Board().SetCodes(shown.Job.Codes);
            host_.Board().SetGameMarks(shown.Job.Marks);
            host_.Board().Refresh();
            // The composed header and footer go into the main records; the last ones stay there.
            if (shown.Job.HeaderText) host_.Header().Text = *shown.Job.HeaderText;
            if (shown.Job.FooterText) host_.Footer().Text = *shown.Job.FooterText;
        }
        ShowProgress(shown.Counters);
    }
    if (!thread_.Finished()) return;
    StopThread();
    if (thread_.Take(shown)) return ShowRunState();  // the last position first
    const bool failed = !threadError_.empty() || runner_->End() == TBatchEnd::Failed;
    if (failed)
        host_.Message(QString::fromStdString(threadError_.empty() ? runner_->Error() : threadError_),
                      TBatchMessage::Error, QMessageBox::Ok);
    Finish(failed ? TBatchEnd::Failed : abort_ ? TBatchEnd::Cancelled : TBatchEnd::Done);
}

// Asks the thread's run to stop after the diagram in hand and waits for it.
void TPgnBatchDialog::StopThread() {
    if (abort_) {
        thread_.Cancel();
        if (runner_) runner_->Cancel();
    }
    thread_.Join();
    showTimer_->stop();
}

// The walk over the games and the run that writes or prints their diagrams,
// with the board, header and footer as they are now.
bool TPgnBatchDialog::StartRun(TBatchDestination destination, const TPageGrid& grid) {
    destination_ = destination;
    printing_ =
        destination == TBatchDestination::PrinterManyPerPage || destination == TBatchDestination::PrinterOnePerJob;
    TPgnBatchOptions options;
    options.Rule = rule_;
    if (host_.Header().Enabled) options.Header = HeaderBoxes.Items();
    if (host_.Footer().Enabled) options.Footer = FooterBoxes.Items();
    if (!printing_) options.FileName = file_.Name;
    options.Images = destination == TBatchDestination::ImageFiles;
    jobs_ = std::make_unique<TPgnBatchJobs>(source_, options);
    const TOutputKind kind = printing_        ? TOutputKind::Printed
                             : options.Images ? TOutputKind::Image
                                              : TOutputKind::Diagram;
    document_ = {};
    if (!(runner_ = PrepareBatchRun(host_, kind, file_.Image))) return false;
    if (printing_) {
        pages_ = std::make_unique<TBatchPrinter>(*printer_, grid, destination == TBatchDestination::PrinterManyPerPage);
        runner_->SetPrinter(pages_.get());
    }
    if (jobs_->Start()) return true;
    runner_.reset();
    pages_.reset();
    return false;
}

void TPgnBatchDialog::ShowProgress(const TPgnBatchCounters& c) {
    lblGame->setText(QStringLiteral("%1 / %2").arg(c.GameNumber).arg(c.GameCount));
    const bool fixed = rule_.Mode == TPositionMode::Fixed;
    lblPos->setVisible(!fixed);
    if (fixed)
        lblPosition->clear();
    else if (rule_.Mode == TPositionMode::Entire)
        lblPosition->setText(QStringLiteral("%1 / %2").arg(c.PositionNumber).arg(c.PositionCount));
    else
        lblPosition->setText(QStringLiteral("%1 / %2").arg(c.CapturedCount).arg(c.SelectedCount));
    double part = 0;
    if (rule_.Mode == TPositionMode::Custom)
        part = c.SelectedCount > 0 ? double(c.CapturedCount) / c.SelectedCount : 0;
    else
        part = c.PositionCount > 0 ? double(c.PositionNumber) / c.PositionCount : 0;
    const int min = mpbProgress->MinValue(), max = mpbProgress->MaxValue();
    if (c.GameCount > 0)
        mpbProgress->SetValue(min + int((double(c.GameNumber - 1) / c.GameCount + part / c.GameCount) * (max - min)));
}

void TPgnBatchDialog::Pause(int ms) { PauseWithEvents(ms, abort_); }

void TPgnBatchDialog::HandleDiagram() {
    const TDiagramJob job = jobs_->TakeJob();
    ShowProgress(jobs_->Counters());
    QCoreApplication::processEvents();
    lblStatus->setText(QStringLiteral("Setting up board..."));
    host_.Board().SetCodes(job.Codes);
    host_.Board().SetGameMarks(job.Marks);
    host_.Board().Refresh();
    Pause(pause_);
    // The composed header and footer go into the main records; the last ones stay there.
    if (job.HeaderText) host_.Header().Text = *job.HeaderText;
    if (job.FooterText) host_.Footer().Text = *job.FooterText;
    lblStatus->setText(printing_ ? QStringLiteral("Making image...") : QStringLiteral("Saving file..."));
    if (!runner_->Add(job) || !runner_->Flush()) throw std::runtime_error(runner_->Error());
    if (printing_) lblStatus->setText(QStringLiteral("Printing..."));
}

void TPgnBatchDialog::TickOnePosition() {
    if (jobs_->NothingToDo()) {
        lblStatus->setText(QStringLiteral("FEN Game: nothing to do!!"));
        ShowProgress(jobs_->Counters());
        QCoreApplication::processEvents();
        jobs_->SkipRest();
    } else if (jobs_->HasJob()) {
        HandleDiagram();
    }
    if (abort_) return;
    if (!jobs_->HasJob() && !jobs_->NextGame()) return Finish(TBatchEnd::Done);
    paceTimer->start();
}

void TPgnBatchDialog::TickOnePage() {
    if (jobs_->NothingToDo()) {
        lblStatus->setText(QStringLiteral("FEN Game: nothing to print..."));
        ShowProgress(jobs_->Counters());
        QCoreApplication::processEvents();
        if (!jobs_->NextGame()) return Finish(TBatchEnd::Done);
        paceTimer->start();
        return;
    }
    lblStatus->setText(QStringLiteral("Processing..."));
    int placed = 0;
    bool done = false;
    while (!abort_) {
        if (jobs_->HasJob()) {
            if (placed > 0 && runner_->NextStartsPage()) break;  // the page is full
            HandleDiagram();
            ++placed;
            continue;
        }
        if (!jobs_->NextGame()) {
            done = true;
            break;
        }
        if (chkNewPage->isChecked() && placed > 0) break;
    }
    if (abort_) return;
    if (!runner_->EndPage()) throw std::runtime_error(runner_->Error());
    Pause(pause_ * 2);
    if (done) return Finish(TBatchEnd::Done);
    paceTimer->start();
}

void TPgnBatchDialog::PaceTimerTimeout() {
    if (inTick_ || !jobs_ || !jobs_->InGame()) return;
    inTick_ = true;
    try {
        if (destination_ == TBatchDestination::PrinterManyPerPage)
            TickOnePage();
        else
            TickOnePosition();
    } catch (const std::exception& e) {
        host_.Message(QString::fromStdString(e.what()), TBatchMessage::Error, QMessageBox::Ok);
        inTick_ = false;
        return Finish(TBatchEnd::Failed);
    }
    inTick_ = false;
    if (abort_) Finish(TBatchEnd::Cancelled);
}

void TPgnBatchDialog::Finish(TBatchEnd end) {
    paceTimer->stop();
    StopThread();
    if (runner_) {
        // The last page and the printer's document, unless the run's thread ended them.
        const bool finished = document_.End(pages_.get(), printing_ ? printer_.get() : nullptr, end != TBatchEnd::Done);
        if (!finished && end == TBatchEnd::Done) {
            host_.Message(QString::fromStdString(document_.Error), TBatchMessage::Error, QMessageBox::Ok);
            end = TBatchEnd::Failed;
        }
    }
    // The files were written without waiting for the disk; the folder's entries now are.
    if (runner_ && !printing_)
        FlushFolder(QFile::encodeName(file_.Name.Path.isEmpty() ? "." : file_.Name.Path).toStdString());
    runner_.reset();
    pages_.reset();
    printer_.reset();
    if (jobs_) {
        faultyGames_ = jobs_->FaultyGames();
        jobs_.reset();
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
void TPgnBatchDialog::ReportFaultyGames() {
    if (faultyGames_.empty()) return;
    constexpr size_t kListed = 20;
    QString text = QStringLiteral("These games could not be replayed to their end:\r\n");
    for (size_t i = 0; i < faultyGames_.size() && i < kListed; ++i)
        text += QStringLiteral("\r\n") + QString::fromStdString(faultyGames_[i]);
    if (faultyGames_.size() > kListed)
        text += QStringLiteral("\r\n... and %1 more.").arg(faultyGames_.size() - kListed);
    faultyGames_.clear();
    host_.Message(text, TBatchMessage::Warning, QMessageBox::Ok);
}

void TPgnBatchDialog::SetOptionsEnabled(bool enabled) {
    for (QGroupBox* g : groups_) g->setEnabled(enabled);
    btnStart->setEnabled(enabled);
    if (enabled) edtPositionsStartChange();
}

void TPgnBatchDialog::btnCancelClick() {
    if (btnStart->isEnabled() || !runner_) {
        reject();
        return;
    }
    abort_ = true;
    if (!inTick_) Finish(TBatchEnd::Cancelled);
}

void TPgnBatchDialog::done(int result) {
    // Closing stops a run first.
    if (runner_) {
        abort_ = true;
        if (!inTick_) Finish(TBatchEnd::Cancelled);
    }
    QDialog::done(result);
}

void TPgnBatchDialog::closeEvent(QCloseEvent* event) {
    if (runner_) {
        abort_ = true;
        if (!inTick_) Finish(TBatchEnd::Cancelled);
    }
    QDialog::closeEvent(event);
}

}  // namespace vorlix
