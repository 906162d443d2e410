#include "batch/ui/EpdBatchDialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
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

#include "batch/BatchProducer.h"
#include "batch/BatchSources.h"
#include "batch/ui/BatchDialogParts.h"
#include "batch/ui/BatchHost.h"
#include "batch/ui/PercentProgressBar.h"
#include "board/DiagramBoard.h"
#include "files/EPDRecord.h"
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
}

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
    grid->setColumnMinimumWidth(0, 20);
    rbtFile->setChecked(true);
    rbtImageFile->setChecked(true);
    chkMultDiagrams->setEnabled(false);
    connect(rbtFile, &QRadioButton::clicked, this, &TEpdBatchDialog::rbtFileClick);
    connect(rbtPrinter, &QRadioButton::clicked, this, &TEpdBatchDialog::rbtPrinterClick);
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
    chkMultDiagrams->setEnabled(false);
    rbtImageFile->setEnabled(true);
    rbtChessFile->setEnabled(true);
}

void TEpdBatchDialog::rbtPrinterClick() {
    chkMultDiagrams->setEnabled(true);
    rbtImageFile->setEnabled(false);
    rbtChessFile->setEnabled(false);
}

// The mode of a page; a typed custom text goes into the record at once.
TEpdCaptionMode TEpdBatchDialog::LineMode(TEpdLineButtons& b, THeaderFooterInfo& line) {
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

void TEpdBatchDialog::Pause(int ms) { PauseWithEvents(ms, abort_); }

void TEpdBatchDialog::SetOptionsEnabled(bool enabled) {
    for (QGroupBox* g : groups_) g->setEnabled(enabled);
    btnStart->setEnabled(enabled);
}

void TEpdBatchDialog::btnStartClick() {
    for (QLineEdit* edit : {HeaderButtons.Text, FooterButtons.Text}) edit->setText(edit->text().trimmed());
    const THeaderFooterInfo savedHeader = host_.Header(), savedFooter = host_.Footer();
    struct TRestore {
        TBatchHost& Host;
        const THeaderFooterInfo &Header, &Footer;
        ~TRestore() {
            Host.Header() = Header;
            Host.Footer() = Footer;
        }
    } restore{host_, savedHeader, savedFooter};
    const TEpdCaptionMode headerMode = LineMode(HeaderButtons, host_.Header());
    const TEpdCaptionMode footerMode = LineMode(FooterButtons, host_.Footer());
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
            return;
    } else {
        destination = TBatchDestination::DiagramFiles;
        if (!ChooseBatchDiagramFile(host_,
                                    BatchFileMessage("Eg. if you choose \"MyDiagram\", the diagrams",
                                                     {"MyDiagram001.vxd", "MyDiagram002.vxd", "MyDiagram003.vxd"}),
                                    file_))
            return;
    }
    for (auto [mode, line] : {std::pair{headerMode, &host_.Header()}, {footerMode, &host_.Footer()}}) {
        if (mode == TEpdCaptionMode::Description || mode == TEpdCaptionMode::BestMove) line->Enabled = true;
        if (mode == TEpdCaptionMode::None) line->Enabled = false;
    }
    try {
        Run(destination, headerMode, footerMode);
    } catch (const EDiagramTooLarge& e) {
        host_.Message(QString::fromLatin1(e.what()) +
                          "\r\n\r\nPlease select a larger paper size for your printer \r\nor reduce the scaling "
                          "factor applied to the diagrams.",
                      TBatchMessage::Warning, QMessageBox::Ok);
    }
}

void TEpdBatchDialog::Run(TBatchDestination destination, TEpdCaptionMode headerMode, TEpdCaptionMode footerMode) {
    const std::vector<const TEPDRec*> records = source_.TickedRecords();
    const int count = static_cast<int>(records.size());
    std::unique_ptr<TPrintTarget> printer = host_.OpenPrinter();
    const QSize page = printer->PageSize();
    const QSize board = host_.Board().DiagramSize();
    const TPageGrid grid = ComputePageGrid(page.width(), page.height(), host_.PrintFactor(), board.width(),
                                           board.height(), host_.Header(), host_.Footer());
    if (!grid.Fits) throw EDiagramTooLarge();
    const bool printing =
        destination == TBatchDestination::PrinterManyPerPage || destination == TBatchDestination::PrinterOnePerJob;
    TBatchProducer producer(destination, file_.Image, printing ? printer.get() : nullptr, grid);
    lblGame->setText(QStringLiteral("0 / %1").arg(count));
    mpbProgress->SetValue(0);
    mpbProgress->SetMaxValue(std::max(count, 1));
    lblStatus->setVisible(true);
    mpbProgress->setVisible(true);
    SetOptionsEnabled(false);
    abort_ = false;
    running_ = true;
    QString status = QStringLiteral("Done.");
    std::string error;
    // Marks on the board belong to its own position, not to the records; the
    // viewer gives the board back when the run ends.
    host_.Board().SetMarks({});
    for (int n = 1; n <= count && !abort_; ++n) {
        lblGame->setText(QStringLiteral("%1 / %2").arg(n).arg(count));
        mpbProgress->SetValue(n);
        QCoreApplication::processEvents();
        if (abort_) break;
        const TEPDRec& record = *records[size_t(n - 1)];
        lblStatus->setText(QStringLiteral("Searching game..."));
        std::array<int32_t, 64> codes{};
        std::copy(std::begin(record.Board), std::end(record.Board), codes.begin());
        host_.Board().SetCodes(codes);
        host_.Board().Refresh();
        host_.Header().Text = EpdCaptionText(headerMode, record, host_.Header().Text);
        host_.Footer().Text = EpdCaptionText(footerMode, record, host_.Footer().Text);
        lblStatus->setText(QStringLiteral("Setting up board..."));
        const QString fileName = printing ? QString() : EpdBatchFileName(file_.Name, n);
        lblStatus->setText(printing ? QStringLiteral("Printing...") : QStringLiteral("Saving file..."));
        if (!producer.Produce(host_.Diagram(), fileName, error)) {
            status = QStringLiteral("Error!");
            abort_ = true;
            break;
        }
        Pause(pause_);
    }
    if (status == QStringLiteral("Error!")) {
        producer.Abort();
        producer.Finish(error);  // what was printed before stays
        host_.Message(QString::fromStdString(error), TBatchMessage::Error, QMessageBox::Ok);
    } else if (abort_) {
        status = QStringLiteral("Aborted.");
        if (!producer.Finish(error)) status = QStringLiteral("Error!");
    } else if (!producer.Finish(error)) {
        status = QStringLiteral("Error!");
        host_.Message(QString::fromStdString(error), TBatchMessage::Error, QMessageBox::Ok);
    }
    running_ = false;
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
    QDialog::done(result);
}

void TEpdBatchDialog::closeEvent(QCloseEvent* event) {
    abort_ = true;
    QCoreApplication::processEvents();
    QDialog::closeEvent(event);
}

}  // namespace vorlix
