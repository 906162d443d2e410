#include "print/BatchPrinter.h"

#include <QPainter>

#include "imaging/ImageScaling.h"
#include "print/PrintTarget.h"

namespace vorlix {

TBatchPrinter::TBatchPrinter(TPrintTarget& target, const TPageGrid& grid, bool manyPerPage)
    : Target_(target), Grid_(grid), ManyPerPage_(manyPerPage), Placement_(grid) {}

TBatchPrinter::~TBatchPrinter() { Abort(); }

bool TBatchPrinter::BeginPage(std::string& error) {
    if (!Target_.BeginJob(kPrintJobTitle, error)) return false;
    Placement_.StartPage();
    ++Pages_;
    return true;
}

bool TBatchPrinter::NextStartsPage() {
    if (!ManyPerPage_ || !Target_.JobRunning()) return true;
    if (Placement_.PageFull()) return true;
    // Peek at the placement without consuming it.
    TPagePlacement probe = Placement_;
    return !probe.Place();
}

std::optional<QRect> TBatchPrinter::NextPlace(std::string& error) {
    if (!ManyPerPage_) {
        if (!BeginPage(error)) return std::nullopt;
        return OnePerJobRect(Grid_);
    }
    if (!Target_.JobRunning() && !BeginPage(error)) return std::nullopt;
    std::optional<QRect> placed = Placement_.Place();
    if (!placed) {
        if (!EndPage(error) || !BeginPage(error)) return std::nullopt;
        placed = Placement_.Place();
    }
    return placed;
}

bool TBatchPrinter::DiagramDone(std::string& error) { return ManyPerPage_ || EndPage(error); }

bool TBatchPrinter::Print(const TPrintedDiagram& diagram, std::string& error) {
    const std::optional<QRect> rect = NextPlace(error);
    if (!rect) return false;
    DrawPrintedDiagram(Target_.Canvas(), *rect, diagram);
    return DiagramDone(error);
}

bool TBatchPrinter::Print(const QImage& image, std::string& error) {
    const std::optional<QRect> rect = NextPlace(error);
    if (!rect) return false;
    StretchBitmap(Target_.Canvas(), *rect, image);
    return DiagramDone(error);
}

bool TBatchPrinter::EndPage(std::string& error) {
    if (!Target_.JobRunning()) return true;
    if (Target_.EndJob(error)) return true;
    Target_.AbortJob();
    return false;
}

void TBatchPrinter::Abort() {
    if (Target_.JobRunning()) Target_.AbortJob();
}

}  // namespace vorlix
