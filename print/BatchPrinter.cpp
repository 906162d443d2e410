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

bool TBatchPrinter::Print(const QImage& image, std::string& error) {
    QRect rect;
    if (!ManyPerPage_) {
        if (!BeginPage(error)) return false;
        rect = OnePerJobRect(Grid_);
    } else {
        if (!Target_.JobRunning() && !BeginPage(error)) return false;
        std::optional<QRect> placed = Placement_.Place();
        if (!placed) {
            if (!EndPage(error) || !BeginPage(error)) return false;
            placed = Placement_.Place();
        }
        rect = *placed;
    }
    StretchBitmap(Target_.Canvas(), rect, image);
    return ManyPerPage_ || EndPage(error);
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
