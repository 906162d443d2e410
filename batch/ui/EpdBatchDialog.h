#pragma once
// The EPD batch dialog: the ticked positions of the EPD viewer become numbered
// image or diagram files or printed diagrams, in one loop that lets the
// interface run between diagrams so the user can cancel. The main header and
// footer are as before once a run ends, whatever its outcome.
#include <QDialog>

#include "batch/EpdCaption.h"
#include "batch/ui/BatchFileChoice.h"
#include "print/PageLayout.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace vorlix {

class TBatchHost;
class TEpdBatchSource;
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

    // The pause after each diagram, in milliseconds (tests use 0).
    void SetPacing(int pauseMs) { pause_ = pauseMs; }

    QRadioButton *rbtFile = nullptr, *rbtImageFile = nullptr, *rbtChessFile = nullptr, *rbtPrinter = nullptr;
    QCheckBox* chkMultDiagrams = nullptr;
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
    TEpdCaptionMode LineMode(TEpdLineButtons& b, THeaderFooterInfo& line);
    void Run(TBatchDestination destination, TEpdCaptionMode headerMode, TEpdCaptionMode footerMode);
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
};

}  // namespace vorlix
