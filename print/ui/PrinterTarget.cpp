#include "print/ui/PrinterTarget.h"

#include <QPrinter>

namespace vorlix {

TPrinterTarget::TPrinterTarget(QPrinter& printer) : Printer_(printer) {}

TPrinterTarget::~TPrinterTarget() {
    if (Painter_.isActive()) Painter_.end();
}

bool TPrinterTarget::PrintsToFile() const { return Printer_.outputFormat() == QPrinter::PdfFormat; }

QSize TPrinterTarget::PageSize() const { return {Printer_.width(), Printer_.height()}; }

bool TPrinterTarget::BeginJob(const QString& title, std::string& error) {
    if (PrintsToFile() && FilePages_ > 0) {
        if (!Printer_.newPage()) {
            error = "The printer could not start a new page.";
            return false;
        }
    } else {
        if (!title.isEmpty()) Printer_.setDocName(title);
        if (PrintsToFile() && Printer_.outputFileName().isEmpty()) {
            error = "No printer is installed. Choose a PDF file in Printer Setup to print into.";
            return false;
        }
        if (!Painter_.begin(&Printer_)) {
            error = "The printer could not start printing: " +
                    (Printer_.printerName().isEmpty() ? std::string("no printer is chosen.")
                                                      : Printer_.printerName().toStdString() + " does not answer.");
            return false;
        }
    }
    ++FilePages_;
    JobRunning_ = true;
    return true;
}

bool TPrinterTarget::EndJob(std::string& error) {
    JobRunning_ = false;
    if (PrintsToFile()) return true;
    if (Painter_.end()) return true;
    error = "The printer failed while printing.";
    return false;
}

void TPrinterTarget::AbortJob() {
    JobRunning_ = false;
    if (!PrintsToFile() && Painter_.isActive()) {
        Printer_.abort();
        Painter_.end();
    }
}

bool TPrinterTarget::Finish(std::string& error) {
    if (!Painter_.isActive()) return true;
    if (Painter_.end()) return true;
    error = "The file " + Printer_.outputFileName().toStdString() + " could not be written.";
    return false;
}

}  // namespace vorlix
