#include "app/ui/PrintCommands.h"

#include <QAction>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QThread>

#include "app/ui/MainWindow.h"
#include "app/ui/PrintPreview.h"
#include "common/ui/DialogOwner.h"
#include "common/ui/Hourglass.h"
#include "common/ui/SoundMessageDlg.h"
#include "export/VectorDiagramImage.h"
#include "print/DiagramPrint.h"
#include "print/PrintScaling.h"
#include "print/ui/PrinterTarget.h"
#include "settings/Settings.h"
#include "viewers/ui/ViewerHost.h"

namespace vorlix {
namespace {

// Printer pixels per inch: diagrams print at a fixed physical size on every printer.
constexpr int kPrinterResolution = 300;
// How long the printer is left to take the job before the report.
constexpr int kSpoolPauseMs = 25;

const QString kSentToPrinter = QStringLiteral("The diagram has been sent to the printer.");

}  // namespace

TPrintCommands::TPrintCommands(TMainWindow& window)
    : QObject(&window), window_(window), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("PrintCommands"));
    printer_->setResolution(kPrinterResolution);
    printer_->setDocName(QStringLiteral("Chess Vorlix"));
}

TPrintCommands::~TPrintCommands() = default;

float TPrintCommands::PrintFactor() const { return PrintScaleFactor(PrintScaleIndex()); }
int TPrintCommands::PrintScaleIndex() const { return window_.Settings().PrintScale; }

void TPrintCommands::SetPrintScaleIndex(int index) {
    if (index < 0 || index >= kPrintScaleCount) return;
    window_.Settings().PrintScale = index;
    if (QAction* item = window_.Item(QStringLiteral("mnuPrintScale%1").arg(index))) item->setChecked(true);
}

void TPrintCommands::StopAutoReplay() {
    if (window_.PgnViewer().ArchiveVisible()) window_.PgnViewer().StopAutoReplay();
}

TPrintedDiagram TPrintCommands::Diagram() {
    TDiagram& diagram = window_.Diagram();
    diagram.Board.UnselectAll();  // no selection mark on paper
    return RecordPrintedDiagram(DiagramImageSize(diagram), [&](QPainter& p) { PaintDiagramImage(p, diagram); });
}

bool TPrintCommands::PrintDiagram(const TPrintedDiagram& diagram, const QString& title, std::string& error) {
    TPrinterTarget printer(*printer_);
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
    TPrintPreview* preview;
    {
        THourglass hourglass;
        preview = new TPrintPreview(*this, &window_);
    }
    preview->exec();
    delete preview;
}

bool TPrintCommands::mnuFilePrinterSetupClick() {
    StopAutoReplay();
    QPrintDialog dialog(printer_.get(), DialogOwner(&window_));
    dialog.setWindowTitle(QStringLiteral("Printer Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

TPrintCommands* PrintCommandsOf(QObject* window) {
    return window ? window->findChild<TPrintCommands*>(QStringLiteral("PrintCommands"), Qt::FindDirectChildrenOnly)
                  : nullptr;
}

}  // namespace vorlix
