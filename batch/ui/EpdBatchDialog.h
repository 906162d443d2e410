#pragma once
// The EPD batch dialog: the ticked positions of the EPD viewer become numbered
// image or diagram files, the pages of one PDF file, or printed diagrams,
// through the batch run. Files are written on a thread of the run's own at full
// speed, the dialog showing the newest position; the printer takes them in one
// loop that lets the interface run between diagrams so the user can cancel.
// The main header and footer are as before once a run ends, whatever its outcome.
#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "batch/BatchRunner.h"
#include "batch/EpdCaption.h"
#include "batch/ui/BatchDialogParts.h"
#include "batch/ui/BatchFileChoice.h"
#include "batch/ui/BatchThread.h"
#include "batch/ui/WorksheetChoice.h"
#include "print/PageLayout.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;

namespace vorlix {

class TBatchHost;
class TBatchPrinter;
class TEpdBatchSource;
class TPrintTarget;
struct TEPDRec;
class TPercentProgressBar;

// The five choices of the header or footer page.
struct TEpdLineButtons {
    QRadioButton* Current = nullptr;
    QRadioButton* Description = nullptr;
    QRadioButton* BestMove = nullptr;
    QRadioButton* Custom = nullptr;
    QRadioButton* None = nullptr;
    QLineEdit* Text = nullptr;
};

class TEpdBatchDialog : public QDialog {
    Q_OBJECT
public:
    TEpdBatchDialog(TBatchHost& host, TEpdBatchSource& source, QWidget* viewer = nullptr);
    ~TEpdBatchDialog() override;

    // The pause after each printed diagram, in milliseconds (tests use 0).
    void SetPacing(int pauseMs) { pause_ = pauseMs; }

    QRadioButton *rbtFile = nullptr, *rbtImageFile = nullptr, *rbtChessFile = nullptr, *rbtPrinter = nullptr;
    QCheckBox* chkMultDiagrams = nullptr;
    QRadioButton* rbtWorksheet = nullptr;
    TWorksheetChoice* Worksheet = nullptr;
    TEpdLineButtons HeaderButtons, FooterButtons;
    QLabel *lblGame = nullptr, *lblStatus = nullptr;
    TPercentProgressBar* mpbProgress = nullptr;
    QPushButton *btnHelp = nullptr, *btnCancel = nullptr, *btnStart = nullptr;
    QTabWidget* Pages = nullptr;

    void btnStartClick();
    void btnCancelClick();
    // Hands the custom texts back to the source, however the dialog ends.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* CreateDestinationPage();
    QWidget* CreateLinePage(TEpdLineButtons& b, const QString& current, bool header);
    void rbtFileClick();
    void rbtPrinterClick();
    void rbtWorksheetClick();
    void StartWorksheet();
    TEpdCaptionMode LineMode(TEpdLineButtons& b, THeaderFooterInfo& line, std::string& captionTemplate);
    bool StartRun(TBatchDestination destination);
    TDiagramJob JobOf(int n, std::string& headerText, std::string& footerText) const;
    void RunFiles();
    void ShowRunState();
    void RunPrinter();
    void StopThread();
    void EndRun();
    void RestoreLines();
    void SetOptionsEnabled(bool enabled);
    void Pause(int ms);

    TBatchHost& host_;
    TEpdBatchSource& source_;
    QWidget* viewer_;
    std::vector<QGroupBox*> groups_;
    TBatchFileChoice file_;
    bool abort_ = false;
    bool running_ = false;
    int pause_ = 200;

    // The run.
    THeaderFooterInfo savedHeader_, savedFooter_;
    TEpdCaptionMode headerMode_ = TEpdCaptionMode::Current, footerMode_ = TEpdCaptionMode::Current;
    // A custom text that names caption fields ("{n}. {side} to move"), filled per record.
    std::string headerTemplate_, footerTemplate_;
    std::vector<const TEPDRec*> records_;
    std::unique_ptr<TPrintTarget> printer_;
    std::unique_ptr<TBatchPrinter> pages_;
    std::unique_ptr<TBatchRunner> runner_;
    bool printing_ = false, onThread_ = false;
    std::string threadError_;  // an exception that ended the thread's run
    TDocumentEnd document_;
    struct TShown {
        int Number = 0;
        std::array<int32_t, 64> Codes{};
    };
    QTimer* showTimer_ = nullptr;
    TBatchThread<TShown> thread_;  // last: joined before the run it drives goes
};

}  // namespace vorlix
