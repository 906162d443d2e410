#include "print/ui/PrinterTarget.h"

#include <QPrinter>

namespace vorlix {

TPrinterTarget::TPrinterTarget(QPrinter& printer) : printer_(printer) {}

TPrinterTarget::~TPrinterTarget() {
    if (painter_.isActive()) painter_.end();
}

bool TPrinterTarget::PrintsToFile() const { return printer_.outputFormat() == QPrinter::PdfFormat; }

QSize TPrinterTarget::PageSize() const { return {printer_.width(), printer_.height()}; }

bool TPrinterTarget::BeginJob(const QString& title, std::string& error) {
    if (PrintsToFile() && filePages_ > 0) {
        if (!printer_.newPage()) {
            error = "The printer could not start a new page.";
            return false;
        }
    } else {
        if (!title.isEmpty()) printer_.setDocName(title);
        if (PrintsToFile() && printer_.outputFileName().isEmpty()) {
            error = "No printer is installed. Choose a PDF file in Printer Setup to print into.";
            return false;
        }
        if (!painter_.begin(&printer_)) {
            error = "The printer could not start printing: " +
                    (printer_.printerName().isEmpty() ? std::string("no printer is chosen.")
                                                      : printer_.printerName().toStdString() + " does not answer.");
            return false;
        }
    }
    ++filePages_;
    jobRunning_ = true;
    return true;
}

bool TPrinterTarget::EndJob(std::string& error) {
    jobRunning_ = false;
    if (PrintsToFile()) return true;
    if (painter_.end()) return true;
    error = "The printer failed while printing.";
    return false;
}

void TPrinterTarget::AbortJob() {
    jobRunning_ = false;
    if (!PrintsToFile() && painter_.isActive()) {
        printer_.abort();
        painter_.end();
    }
}

bool TPrinterTarget::Finish(std::string& error) {
    if (!painter_.isActive()) return true;
    if (painter_.end()) return true;
    error = "The file " + printer_.outputFileName().toStdString() + " could not be written.";
    return false;
}

}  // namespace vorlix
