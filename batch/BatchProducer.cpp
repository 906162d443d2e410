#include "batch/BatchProducer.h"

#include "export/DiagramImage.h"
#include "export/VectorDiagramImage.h"
#include "files/ErrorReporter.h"
#include "print/PrintTarget.h"

namespace vorlix {

TBatchProducer::TBatchProducer(TBatchDestination destination, const TImageChoice& image, TPrintTarget* printer,
                               const TPageGrid& grid)
    : destination_(destination), image_(image), target_(printer) {
    const bool many = destination == TBatchDestination::PrinterManyPerPage;
    if (printer && (many || destination == TBatchDestination::PrinterOnePerJob))
        printer_ = std::make_unique<TBatchPrinter>(*printer, grid, many);
}

TBatchProducer::~TBatchProducer() = default;

bool TBatchProducer::Produce(TDiagram& diagram, const QString& fileName, std::string& error) {
    TCollectingReporter reporter;
    switch (destination_) {
        case TBatchDestination::ImageFiles:
            if (WriteBatchImage(diagram, image_, fileName, reporter)) return true;
            break;
        case TBatchDestination::DiagramFiles:
            if (WriteBatchDiagram(diagram, fileName, reporter)) return true;
            break;
        default:
            if (!printer_) {
                error = "No printer.";
                return false;
            }
            diagram.Board.UnselectAll();
            auto paint = [&](QPainter& p) { PaintDiagramImage(p, diagram); };
            return printer_->Print(RecordPrintedDiagram(DiagramImageSize(diagram), paint), error);
    }
    error = reporter.Last();
    return false;
}

bool TBatchProducer::EndPage(std::string& error) { return !printer_ || printer_->EndPage(error); }

bool TBatchProducer::Finish(std::string& error) {
    if (!EndPage(error)) return false;
    return !target_ || target_->Finish(error);
}

void TBatchProducer::Abort() {
    if (printer_) printer_->Abort();
}

}  // namespace vorlix
