#pragma once
// Produces the diagrams of a batch dialog's run at their destination: numbered
// image or diagram files, or printed diagrams, one per job or many per page.
#include <QString>
#include <memory>
#include <string>

#include "batch/DiagramOutput.h"
#include "print/BatchPrinter.h"
#include "print/PageLayout.h"

namespace vorlix {

struct TDiagram;
class TErrorReporter;
class TPrintTarget;

class TBatchProducer {
public:
    // printer: the run's print target (printer destinations only).
    TBatchProducer(TBatchDestination destination, const TImageChoice& image, TPrintTarget* printer,
                   const TPageGrid& grid);
    ~TBatchProducer();

    TBatchDestination Destination() const { return destination_; }
    bool Printing() const { return printer_ != nullptr; }
    // Whether the next diagram would start a new page.
    bool NextStartsPage() { return !printer_ || printer_->NextStartsPage(); }

    // One diagram; fileName for file destinations. False with a message when
    // it could not be written or printed.
    bool Produce(TDiagram& diagram, const QString& fileName, std::string& error);
    // Ends the page in progress (many per page).
    bool EndPage(std::string& error);
    // Ends the run: the last page and the printer's document.
    bool Finish(std::string& error);
    // Drops a page in progress.
    void Abort();

private:
    TBatchDestination destination_;
    TImageChoice image_;
    TPrintTarget* target_;
    std::unique_ptr<TBatchPrinter> printer_;
};

}  // namespace vorlix
