#pragma once
// The PGN batch dialog: the checked games of the PGN viewer become numbered
// image or diagram files or printed diagrams, one position per timer tick (one
// page per tick when many go on a page), so the board shows each position and
// the user can cancel.
#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "batch/BatchFileName.h"
#include "batch/GameCaption.h"
#include "batch/PositionPicker.h"
#include "batch/ui/BatchFileChoice.h"
#include "files/ErrorReporter.h"
#include "files/PGNPos.h"

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
class TBatchProducer;
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

    // Milliseconds between ticks for files and for the printer (tests use 0).
    void SetPacing(int fileMs, int printerMs, int pauseMs);
    bool Running() const;

    // Controls, for whoever drives the dialog.
    QRadioButton *rbtFile = nullptr, *rbtImageFile = nullptr, *rbtChessFile = nullptr, *rbtPrinter = nullptr;
    QCheckBox *chkMultDiagrams = nullptr, *chkNewPage = nullptr;
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
    bool LoadGame(int row);
    bool NextGame();
    void HandleDiagram(const TPickedPosition& pick);
    void ShowProgress();
    void TickOnePosition();
    void TickOnePage();
    void Finish(const QString& status);
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
    std::unique_ptr<TBatchProducer> producer_;
    TCollectingReporter replayErrors_;  // what the replay of the current game reported
    TPGNPos replay_{replayErrors_};
    std::vector<std::string> faultyGames_;  // the run's games cut short or skipped, named
    std::vector<TPickedPosition> picks_;
    size_t pickIndex_ = 0;
    bool setupGame_ = false;
    int GameCount = 0, GameNumber = 0, GameRow = -1, PositionCount = 0, PositionNumber = 0;
    int SelectedCount = 0, CapturedCount = 0;
    bool abort_ = false;
    bool inTick_ = false;
    int fileInterval_ = 400, printerInterval_ = 1000, pause_ = 50;
};

}  // namespace vorlix
