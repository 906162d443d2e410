#include "app/ui/PrintCommands.h"

#include <QAction>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QThread>

#include "print/DiagramPrint.h"
#include "print/PrintScaling.h"
#include "settings/Settings.h"
#include "common/ui/Hourglass.h"
#include "app/ui/MainWindow.h"
#include "app/ui/PrintPreview.h"
#include "print/ui/PrinterTarget.h"
#include "common/ui/DialogOwner.h"
#include "common/ui/SoundMessageDlg.h"
#include "export/VectorDiagramImage.h"
#include "viewers/ui/ViewerHost.h"

namespace vorlix {
namespace {

// Printer pixels per inch: diagrams print at a fixed physical size on every printer.
constexpr int kPrinterResolution = 300;
// How long the printer is left to take the job before the report.
constexpr int kSpoolPauseMs = 25;

const QString kSentToPrinter = QStringLiteral("The diagram has been sent to the printer.");

}  // namespace

TPrintCommands::TPrintCommands(TfrmQuenlix& window)
    : QObject(&window), FWindow(window), FPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("PrintCommands"));
    FPrinter->setResolution(kPrinterResolution);
    FPrinter->setDocName(QStringLiteral("Chess Vorlix"));
}

TPrintCommands::~TPrintCommands() = default;

float TPrintCommands::PrintFactor() const { return PrintScaleFactor(PrintScaleIndex()); }
int TPrintCommands::PrintScaleIndex() const { return FWindow.Settings().PrintScale; }

void TPrintCommands::SetPrintScaleIndex(int index) {
    if (index < 0 || index >= kPrintScaleCount) return;
    FWindow.Settings().PrintScale = index;
    if (QAction* item = FWindow.Item(QStringLiteral("mnuPrintScale%1").arg(index))) item->setChecked(true);
}

void TPrintCommands::StopAutoReplay() {
    if (FWindow.PgnViewer().ArchiveVisible()) FWindow.PgnViewer().StopAutoReplay();
}

TPrintedDiagram TPrintCommands::Diagram() {
    TkxChessBrd& board = FWindow.Board();
    const THeaderFooterInfo& header = FWindow.Header();
    const THeaderFooterInfo& footer = FWindow.Footer();
    board.UnselectAll();  // no selection mark on paper
    return RecordPrintedDiagram(DiagramImageSize(board, header, footer),
                                [&](QPainter& p) { PaintDiagramImage(p, board, header, footer); });
}

bool TPrintCommands::PrintDiagram(const TPrintedDiagram& diagram, const QString& title, std::string& error) {
    TPrinterTarget printer(*FPrinter);
    if (!vorlix::PrintDiagram(printer, diagram, PrintFactor(), title, error)) return false;
    QCoreApplication::processEvents();
    QThread::msleep(kSpoolPauseMs);
    return printer.Finish(error);
}

void TPrintCommands::mnuFilePrintClick() {
    bool printed = false;
    std::string error;
    {
        THourglass hourglass;
        StopAutoReplay();
        printed = PrintDiagram(Diagram(), QStringLiteral("Chess Vorlix"), error);
    }
    if (printed)
        SoundMessageDlg(kSentToPrinter, TMsgDlgType::mtInformation, QMessageBox::Ok);
    else
        SoundMessageDlg(QString::fromStdString(error), TMsgDlgType::mtError, QMessageBox::Ok);
}

void TPrintCommands::mnuFilePreviewClick() {
    TfrmPreview* preview;
    {
        THourglass hourglass;
        preview = new TfrmPreview(*this, &FWindow);
    }
    preview->exec();
    delete preview;
}

bool TPrintCommands::mnuFilePrinterSetupClick() {
    StopAutoReplay();
    QPrintDialog dialog(FPrinter.get(), DialogOwner(&FWindow));
    dialog.setWindowTitle(QStringLiteral("Printer Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

TPrintCommands* PrintCommandsOf(QObject* window) {
    return window ? window->findChild<TPrintCommands*>(QStringLiteral("PrintCommands"), Qt::FindDirectChildrenOnly)
                  : nullptr;
}

}  // namespace vorlix
