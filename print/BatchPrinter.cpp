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

bool TBatchPrinter::Print(const QImage& image, std::string& error) {
    QRect rect;
    if (!manyPerPage_) {
        if (!BeginPage(error)) return false;
        rect = OnePerJobRect(grid_);
    } else {
        if (!target_.JobRunning() && !BeginPage(error)) return false;
        std::optional<QRect> placed = placement_.Place();
        if (!placed) {
            if (!EndPage(error) || !BeginPage(error)) return false;
            placed = placement_.Place();
        }
        rect = *placed;
    }
    StretchBitmap(target_.Canvas(), rect, image);
    return manyPerPage_ || EndPage(error);
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
