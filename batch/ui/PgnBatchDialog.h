#pragma once
// The PGN batch dialog: the checked games of the PGN viewer become numbered
// image or diagram files, the pages of one PDF file, or printed diagrams. The
// games and positions come from a PGN batch walk, the diagrams go through the
// batch run. Files are written on a thread of the run's own at full speed,
// the dialog showing the newest position; the printer takes one position per
// timer tick (one page per tick when many go on a page).
#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "batch/BatchFileName.h"
#include "batch/BatchRunner.h"
#include "batch/GameCaption.h"
#include "batch/PgnBatchJobs.h"
#include "batch/PositionPicker.h"
#include "batch/ui/BatchDialogParts.h"
#include "batch/ui/BatchFileChoice.h"
#include "batch/ui/BatchThread.h"
#include "batch/ui/WorksheetChoice.h"
#include "print/PageLayout.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;
class QGroupBox;
class QVBoxLayout;

namespace vorlix {

class TBatchHost;
class TBatchPrinter;
class TPercentProgressBar;
class TPgnBatchSource;
class TPrintTarget;

// The ten content boxes of the header or footer page.
struct TCaptionBoxes {
    QCheckBox* Show = nullptr;
    QCheckBox *Event = nullptr, *Site = nullptr, *Date = nullptr, *Move = nullptr, *White = nullptr, *Black = nullptr,
              *Result = nullptr, *ECO = nullptr, *WhiteElo = nullptr, *BlackElo = nullptr;
    TCaptionItems Items() const;
    void SetContentEnabled(bool enabled);
};

class TPgnBatchDialog : public QDialog {
    Q_OBJECT
public:
    TPgnBatchDialog(TBatchHost& host, TPgnBatchSource& source, QWidget* viewer = nullptr);
    ~TPgnBatchDialog() override;

    // Milliseconds between the printer's ticks and of its pauses (tests use 0);
    // files are written without a pause.
    void SetPacing(int printerMs, int pauseMs);
    bool Running() const;

    // Controls, for whoever drives the dialog.
    QRadioButton *rbtFile = nullptr, *rbtImageFile = nullptr, *rbtChessFile = nullptr, *rbtPrinter = nullptr;
    QCheckBox *chkMultDiagrams = nullptr, *chkNewPage = nullptr;
    QRadioButton* rbtWorksheet = nullptr;
    TWorksheetChoice* Worksheet = nullptr;
    QRadioButton *rbtEntire = nullptr, *rbtCustom = nullptr, *rbtFixedPos = nullptr;
    QLineEdit *edtPositionsStart = nullptr, *edtPositionsEnd = nullptr;
    QCheckBox *chkFinalPosition = nullptr, *chkFenStart = nullptr, *chkFenFinal = nullptr;
    TCaptionBoxes HeaderBoxes, FooterBoxes;
    QPushButton *btnHExample = nullptr, *btnFExample = nullptr, *btnHFont = nullptr, *btnFFont = nullptr;
    QLabel *lblExample = nullptr, *lblGame = nullptr, *lblPos = nullptr, *lblPosition = nullptr, *lblStatus = nullptr;
    TPercentProgressBar* mpbProgress = nullptr;
    QPushButton *btnHelp = nullptr, *btnCancel = nullptr, *btnStart = nullptr;
    QTabWidget* Pages = nullptr;

    void btnStartClick();
    void btnCancelClick();
    void PaceTimerTimeout();
    // Stops a run first.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* CreateDestinationPage();
    QWidget* CreatePositionsPage();
    QWidget* CreateCaptionPage(TCaptionBoxes& boxes, const QString& showCaption, QPushButton*& example,
                               QPushButton*& font, bool header);
    void CreateBottom(QVBoxLayout* layout);

    void rbtFileClick();
    void rbtPrinterClick();
    void rbtWorksheetClick();
    void StartWorksheet();
    void chkMultDiagramsClick();
    void UpdatePositionControls();
    void edtPositionsStartChange();
    void chkShowHeadersClick();
    void chkShowFootersClick();
    void btnHExampleClick();
    void btnFExampleClick();
    void btnHFontClick();
    void btnFFontClick();
    void btnHelpClick();
    void mnuFilePtrSetupClick();

    bool PrepareDestination();
    bool StartRun(TBatchDestination destination, const TPageGrid& grid);
    void HandleDiagram();
    void ShowProgress(const TPgnBatchCounters& counters);
    void TickOnePosition();
    void TickOnePage();
    void Finish(TBatchEnd end);
    // The run on its thread (files), and the dialog's look at it.
    void RunFiles();
    void ShowRunState();
    void StopThread();
    void ReportFaultyGames();
    void SetOptionsEnabled(bool enabled);
    void Pause(int ms);

    TBatchHost& host_;
    TPgnBatchSource& source_;
    QWidget* viewer_;
    QTimer* paceTimer = nullptr;
    std::vector<QGroupBox*> groups_;
    std::string mainHeaderText_, mainFooterText_;
    QLabel* FlblExampleCaption = nullptr;

    // The run.
    TPositionRule rule_;
    TBatchFileChoice file_;
    std::unique_ptr<TPrintTarget> printer_;
    std::unique_ptr<TBatchPrinter> pages_;  // printer destinations
    std::unique_ptr<TPgnBatchJobs> jobs_;
    std::unique_ptr<TBatchRunner> runner_;
    TBatchDestination destination_ = TBatchDestination::ImageFiles;
    bool printing_ = false;
    std::vector<std::string> faultyGames_;  // the run's games cut short or skipped, named
    bool onThread_ = false;
    bool abort_ = false;
    // What the thread's run last handed to the screen.
    struct TShown {
        TPgnBatchCounters Counters;
        bool NothingToDo = false;
        TDiagramJob Job;
    };
    QTimer* showTimer_ = nullptr;
    std::string threadError_;  // an exception that ended the thread's run
    TDocumentEnd document_;
    bool inTick_ = false;
    int printerInterval_ = 1000, pause_ = 50;
    TBatchThread<TShown> thread_;  // last: joined before the run it drives goes
};

}  // namespace vorlix
