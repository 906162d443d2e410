#pragma once
// The editor's printing: the printer, Print, Print Preview and Printer Setup
// of the File menu and the toolbar. The batch dialogs print on the same printer.
#include <QObject>
#include <memory>

#include "print/PrintedDiagram.h"

class QPrinter;

namespace vorlix {

class TMainWindow;

class TPrintCommands : public QObject {
    Q_OBJECT
public:
    explicit TPrintCommands(TMainWindow& window);
    ~TPrintCommands() override;

    // The printer of the window, as set up by the user.
    QPrinter& Printer() { return *printer_; }
    float PrintFactor() const;
    int PrintScaleIndex() const;
    // Changes the print scale and ticks its menu item; the settings keep it until they are saved.
    void SetPrintScaleIndex(int index);

    void mnuFilePrintClick();
    void mnuFilePreviewClick();
    // The system's printer dialog; true when it was confirmed.
    bool mnuFilePrinterSetupClick();

    // Prints the diagram at the print scale; false with the reason on failure.
    bool PrintDiagram(const TPrintedDiagram& diagram, const QString& title, std::string& error);
    // The diagram as printed: header and footer, no image scaling, drawn through the vector road.
    TPrintedDiagram Diagram();

private:
    void StopAutoReplay();

    TMainWindow& window_;
    std::unique_ptr<QPrinter> printer_;
};

// The print commands of a window, found among its children.
TPrintCommands* PrintCommandsOf(QObject* window);

}  // namespace vorlix
