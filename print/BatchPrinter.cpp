#include "print/BatchPrinter.h"

#include <QPainter>

#include "imaging/ImageScaling.h"
#include "print/PrintTarget.h"

namespace vorlix {

TBatchPrinter::TBatchPrinter(TPrintTarget& target, const TPageGrid& grid, bool manyPerPage)
    : target_(target), grid_(grid), manyPerPage_(manyPerPage), placement_(grid) {}

TBatchPrinter::~TBatchPrinter() { Abort(); }

bool TBatchPrinter::BeginPage(std::string& error) {
    if (!target_.BeginJob(kPrintJobTitle, error)) return false;
    placement_.StartPage();
    ++pages_;
    return true;
}

bool TBatchPrinter::NextStartsPage() {
    if (!manyPerPage_ || !target_.JobRunning()) return true;
    if (placement_.PageFull()) return true;
    // Peek at the placement without consuming it.
    TPagePlacement probe = placement_;
    return !probe.Place();
}

std::optional<QRect> TBatchPrinter::NextPlace(std::string& error) {
    if (!manyPerPage_) {
        if (!BeginPage(error)) return std::nullopt;
        return OnePerJobRect(grid_);
    }
    if (!target_.JobRunning() && !BeginPage(error)) return std::nullopt;
    std::optional<QRect> placed = placement_.Place();
    if (!placed) {
        if (!EndPage(error) || !BeginPage(error)) return std::nullopt;
        placed = placement_.Place();
    }
    return placed;
}

bool TBatchPrinter::DiagramDone(std::string& error) { return manyPerPage_ || EndPage(error); }

bool TBatchPrinter::Print(const TPrintedDiagram& diagram, std::string& error) {
    const std::optional<QRect> rect = NextPlace(error);
    if (!rect) return false;
    DrawPrintedDiagram(target_.Canvas(), *rect, diagram);
    return DiagramDone(error);
}

bool TBatchPrinter::Print(const QImage& image, std::string& error) {
    const std::optional<QRect> rect = NextPlace(error);
    if (!rect) return false;
    StretchBitmap(target_.Canvas(), *rect, image);
    return DiagramDone(error);
}

bool TBatchPrinter::EndPage(std::string& error) {
    if (!target_.JobRunning()) return true;
    if (target_.EndJob(error)) return true;
    target_.AbortJob();
    return false;
}

void TBatchPrinter::Abort() {
    if (target_.JobRunning()) target_.AbortJob();
}

}  // namespace vorlix
