#pragma once
// What the batch dialogs need of the editor's main window: its board with the
// header and footer records, its printer and save dialogs, and its message box.
// The main window provides it; tests hand the dialogs a fake.
#include <QMessageBox>
#include <QString>
#include <memory>

#include "board/Diagram.h"
#include "imaging/ImageFormat.h"

class QWidget;

namespace vorlix {

class TAppSettings;
class TErrorReporter;
class TPrintTarget;

enum class TBatchMessage { Information, Warning, Error };

class TBatchHost {
public:
    virtual ~TBatchHost() = default;
    virtual QWidget* HostWindow() = 0;
    // The editor's diagram: the runs show their diagrams on its board.
    virtual TDiagram& Diagram() = 0;
    TDiagramBoard& Board() { return Diagram().Board; }
    THeaderFooterInfo& Header() { return Diagram().Header; }
    THeaderFooterInfo& Footer() { return Diagram().Footer; }
    // Image scale, JPEG quality and the save folders.
    virtual TAppSettings& Settings() = 0;

    // The printer for one run (jobs into one document when it prints to a file).
    virtual std::unique_ptr<TPrintTarget> OpenPrinter() = 0;
    virtual float PrintFactor() = 0;
    virtual void PrinterSetup() = 0;

    // The image save dialog; filterIndex 1 GIF, 2 JPEG, 3 BMP, 4 PNG, 5 SVG, 6 PDF; image holds what its
    // strip chose for that type (colour depth, transparency, quality, scale or size).
    virtual bool AskImageFileName(QString& fileName, int& filterIndex, TImageOptions& image) = 0;
    // The diagram file save dialog.
    virtual bool AskDiagramFileName(QString& fileName) = 0;

    virtual QMessageBox::StandardButton Message(const QString& text, TBatchMessage kind,
                                                QMessageBox::StandardButtons buttons) = 0;
    virtual void ShowHelp(int context) = 0;
};

}  // namespace vorlix
