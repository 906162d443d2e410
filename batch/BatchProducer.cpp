#include "batch/BatchProducer.h"

#include "print/PrintTarget.h"
#include "export/DiagramImage.h"
#include "files/ErrorReporter.h"

namespace vorlix {

TBatchProducer::TBatchProducer(TBatchDestination destination, const TImageOptions& image, TPrintTarget* printer,
                               const TPageGrid& grid)
    : Destination_(destination), Image_(image), Target_(printer) {
    const bool many = destination == TBatchDestination::PrinterManyPerPage;
    if (printer && (many || destination == TBatchDestination::PrinterOnePerJob))
        Printer_ = std::make_unique<TBatchPrinter>(*printer, grid, many);
}

TBatchProducer::~TBatchProducer() = default;

bool TBatchProducer::Produce(TkxChessBrd& board, const THeaderFooterInfo& header, const THeaderFooterInfo& footer,
                             const QString& fileName, std::string& error) {
    TCollectingReporter reporter;
    switch (Destination_) {
        case TBatchDestination::ImageFiles:
            if (WriteBatchImage(board, header, footer, Image_, fileName, reporter)) return true;
            break;
        case TBatchDestination::DiagramFiles:
            if (WriteBatchDiagram(board, header, footer, fileName, reporter)) return true;
            break;
        default:
            if (!Printer_) {
                error = "No printer.";
                return false;
            }
            return Printer_->Print(RenderDiagramImage(board, header, footer), error);
    }
    error = reporter.Last();
    return false;
}

bool TBatchProducer::EndPage(std::string& error) { return !Printer_ || Printer_->EndPage(error); }

bool TBatchProducer::Finish(std::string& error) {
    if (!EndPage(error)) return false;
    return !Target_ || Target_->Finish(error);
}

void TBatchProducer::Abort() {
    if (Printer_) Printer_->Abort();
}

}  // namespace vorlix
