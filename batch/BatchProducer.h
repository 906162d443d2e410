#pragma once
// Produces the diagrams of a batch dialog's run at their destination: numbered
// image or diagram files, or printed diagrams, one per job or many per page.
#include <QString>
#include <memory>
#include <string>

#include "print/BatchPrinter.h"
#include "batch/DiagramOutput.h"
#include "print/PageLayout.h"

namespace vorlix {

class TErrorReporter;
class TkxChessBrd;
class TPrintTarget;

class TBatchProducer {
public:
    // printer: the run's print target (printer destinations only).
    TBatchProducer(TBatchDestination destination, const TImageOptions& image, TPrintTarget* printer,
                   const TPageGrid& grid);
    ~TBatchProducer();

    TBatchDestination Destination() const { return Destination_; }
    bool Printing() const { return Printer_ != nullptr; }
    // Whether the next diagram would start a new page.
    bool NextStartsPage() { return !Printer_ || Printer_->NextStartsPage(); }

    // One diagram of the board with its header and footer; fileName for file
    // destinations. False with a message when it could not be written or printed.
    bool Produce(TkxChessBrd& board, const THeaderFooterInfo& header, const THeaderFooterInfo& footer,
                 const QString& fileName, std::string& error);
    // Ends the page in progress (many per page).
    bool EndPage(std::string& error);
    // Ends the run: the last page and the printer's document.
    bool Finish(std::string& error);
    // Drops a page in progress.
    void Abort();

private:
    TBatchDestination Destination_;
    TImageOptions Image_;
    TPrintTarget* Target_;
    std::unique_ptr<TBatchPrinter> Printer_;
};

}  // namespace vorlix
