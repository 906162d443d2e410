// The EPD batch dialog's road, offscreen: the positions of an EPD file to
// 256-colour GIFs from the default style, as a user's Start click runs them
// (style copied from the board, the run on its thread, the dialog showing
// progress). Prints the wall time; bench/batch_dialog_bench.sh compares it to
// `vorlix batch --jobs 1` on the same positions.
//
//   bench_batch_dialog POSITIONS.epd OUT_FOLDER [style.vxd]
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <cstdio>

#include "batch/BatchSources.h"
#include "batch/ui/BatchHost.h"
#include "batch/ui/ColorDepthChoice.h"
#include "batch/ui/EpdBatchDialog.h"
#include "board/DiagramBoard.h"
#include "board/DiagramFile.h"
#include "files/EPD.h"
#include "print/PdfPrintTarget.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"

using namespace vorlix;

namespace {

class TBenchBatchHost : public TBatchHost {
public:
    TBenchBatchHost(const QString& out, const QString& style)
        : Out(out), Store(out + "/settings.ini"), AppSettings(Store) {
        TCollectingReporter errors;
        if (!LoadDiagramFile(style, Shown, errors)) std::fprintf(stderr, "%s\n", errors.Last().c_str());
    }
    QWidget* HostWindow() override { return nullptr; }
    TDiagram& Diagram() override { return Shown; }
    TAppSettings& Settings() override { return AppSettings; }
    std::unique_ptr<TPrintTarget> OpenPrinter() override {
        return std::make_unique<TPdfPrintTarget>(Out + "/print.pdf");
    }
    float PrintFactor() override { return 1.0f; }
    void PrinterSetup() override {}
    bool AskImageFileName(QString& fileName, int& filterIndex, TImageOptions& image) override {
        fileName = Out + "/D.gif";
        filterIndex = fiGIF;
        image.ColorIndex = ci256Colors;
        image.Transparent = false;
        return true;
    }
    bool AskDiagramFileName(QString&) override { return false; }
    QMessageBox::StandardButton Message(const QString& text, TBatchMessage kind,
                                        QMessageBox::StandardButtons) override {
        if (kind != TBatchMessage::Information) std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        return QMessageBox::Ok;
    }
    void ShowHelp(int) override {}

    QString Out;
    TSettingsStore Store;
    TAppSettings AppSettings;
    TDiagram Shown;
};

class TFileSource : public TEpdBatchSource {
public:
    explicit TFileSource(const QString& file) { Epd.LoadFromFile(file.toStdString()); }
    std::vector<const TEPDRec*> TickedRecords() const override {
        std::vector<const TEPDRec*> records;
        for (const TEPDRec* r = Epd.First; r; r = r->Next) records.push_back(r);
        return records;
    }
    TEPD Epd;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_batch_dialog POSITIONS.epd OUT_FOLDER [style.vxd]\n");
        return 2;
    }
    const QString style =
        argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral(VORLIX_BENCH_SOURCE_DIR "/resources/default.vxd");
    TBenchBatchHost host(QString::fromLocal8Bit(argv[2]), style);
    TFileSource source(QString::fromLocal8Bit(argv[1]));
    TEpdBatchDialog dialog(host, source);
    dialog.show();
    QElapsedTimer clock;
    clock.start();
    dialog.btnStart->click();
    while (!dialog.btnStart->isEnabled()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double seconds = clock.nsecsElapsed() / 1e9;
    std::printf("%s %.3f\n", dialog.lblStatus->text().toLocal8Bit().constData(), seconds);
    return dialog.lblStatus->text() == QStringLiteral("Done.") ? 0 : 1;
}
