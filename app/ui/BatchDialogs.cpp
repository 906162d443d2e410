#include "app/ui/BatchDialogs.h"

#include <QApplication>
#include <QFileDialog>

#include "app/FileDialogFilters.h"
#include "app/ui/MainWindow.h"
#include "app/ui/PrintCommands.h"
#include "batch/ui/BatchHost.h"
#include "batch/ui/EpdBatchDialog.h"
#include "batch/ui/ImageFileDialog.h"
#include "batch/ui/PgnBatchDialog.h"
#include "board/ui/FileFilters.h"
#include "common/ui/DialogOwner.h"
#include "common/ui/Hourglass.h"
#include "common/ui/SoundMessageDlg.h"
#include "help/ui/Help.h"
#include "print/ui/PrinterTarget.h"
#include "settings/Settings.h"

namespace vorlix {
namespace {

class TMainBatchHost : public TBatchHost {
public:
    explicit TMainBatchHost(TMainWindow& window) : W_(window), print_(*PrintCommandsOf(&window)) {}

    QWidget* HostWindow() override { return &W_; }
    TDiagram& Diagram() override { return W_.Diagram(); }
    TAppSettings& Settings() override { return W_.Settings(); }
    std::unique_ptr<TPrintTarget> OpenPrinter() override { return std::make_unique<TPrinterTarget>(print_.Printer()); }
    float PrintFactor() override { return print_.PrintFactor(); }
    void PrinterSetup() override { print_.mnuFilePrinterSetupClick(); }

    bool AskImageFileName(QString& fileName, int& filterIndex, TImageOptions& image) override {
        TImageFileDialog& dialog = W_.ImageFileDialog();
        dialog.SetFilter(kScalableImageSaveFilter);  // every format, as Save as Image offers
        dialog.SetInitialDir(W_.Settings().SavePath);
        dialog.SetImageSettings(W_.Settings().JPGQuality, W_.Settings().ImageScale);
        dialog.SetPdfAsPages(true);
        const TDialogOwnerScope owner(dialog, DialogOwner(&W_));
        if (!dialog.Execute()) return false;
        fileName = dialog.FileName();
        filterIndex = dialog.FilterIndex();
        image = dialog.ImageOptions();
        return true;
    }

    bool AskDiagramFileName(QString& fileName) override {
        QFileDialog dialog(DialogOwner(&W_), QStringLiteral("Save As"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        SetFileDialogFilters(dialog, kDiagramFilter);
        dialog.setDirectory(W_.Settings().SaveVXDPath);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
        fileName = dialog.selectedFiles().first();
        return true;
    }

    QMessageBox::StandardButton Message(const QString& text, TBatchMessage kind,
                                        QMessageBox::StandardButtons buttons) override {
        const TMsgDlgType type = kind == TBatchMessage::Information ? TMsgDlgType::mtInformation
                                 : kind == TBatchMessage::Warning   ? TMsgDlgType::mtWarning
                                                                    : TMsgDlgType::mtError;
        return SoundMessageDlg(text, type, buttons);
    }

    void ShowHelp(int context) override { ShowHelpTopic(context); }

private:
    TMainWindow& W_;
    TPrintCommands& print_;
};

// The viewer that asked for the dialog, if it is a window of its own.
QWidget* CallingViewer(TMainWindow& window) {
    QWidget* active = QApplication::activeWindow();
    return active && active != &window ? active : nullptr;
}

template <class TDialog, class TSource>
void RunDialog(TMainWindow& window, TSource& source) {
    TMainBatchHost host(window);
    const TBoardContents contents = window.Board().Contents();
    TDialog* dialog;
    {
        THourglass hourglass;
        dialog = new TDialog(host, source, CallingViewer(window));
    }
    dialog->exec();
    delete dialog;
    window.Board().SetContents(contents);
    window.Board().Refresh();
}

}  // namespace

void RunPgnBatchDialog(TMainWindow& window, TPgnBatchSource& source) { RunDialog<TPgnBatchDialog>(window, source); }
void RunEpdBatchDialog(TMainWindow& window, TEpdBatchSource& source) { RunDialog<TEpdBatchDialog>(window, source); }

}  // namespace vorlix
