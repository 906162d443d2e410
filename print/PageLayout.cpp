#include "print/PageLayout.h"

#include <QFontMetrics>
#include <QImage>
#include <QString>

#include "board/Fonts.h"
#include "imaging/ImageScaling.h"

namespace vorlix {
namespace {

// Margins of a printed page, printer pixels.
constexpr int kLeft = 40, kTop = 60;
constexpr int kHorizontalMargins = 80, kVerticalMargins = 120;
constexpr int kRightEdge = 34, kBottomEdge = 54;
constexpr int kMinColumnGap = 40, kMinRowGap = 60;

// Number of diagrams across a space and the gap between them; 1 when only one fits.
void Divide(int space, int size, int minGap, int& gap, bool& single) {
    int n = size > 0 ? space / size : 0;
    gap = 0;
    while (n >= 2) {
        gap = static_cast<int>(ScaleCeil(static_cast<long double>(space - n * size) / (n - 1)));
        if (gap >= minGap) break;
        --n;
    }
    single = n < 2;
}

}  // namespace

int HeaderFooterHeight(const THeaderFooterInfo& info) {
    // g, L, I, c-cedilla, E-circumflex: the tallest and deepest letters of a line.
    static const QString sample = QString::fromLatin1("gLI\xE7\xCA");
    QImage scratch(1, 1, QImage::Format_RGB32);
    const QFontMetrics metrics(MakeFont(info.Font), &scratch);
    return metrics.size(Qt::TextSingleLine, sample).height();
}

TPageGrid ComputePageGridForSize(int pageWidth, int pageHeight, float factor, int contentWidth, int contentHeight) {
    TPageGrid grid;
    grid.PageWidth = pageWidth;
    grid.PageHeight = pageHeight;
    grid.DiagramWidth = ScaledLength(contentWidth, factor);
    grid.DiagramHeight = ScaledLength(contentHeight, factor);
    const int across = pageWidth - kHorizontalMargins, down = pageHeight - kVerticalMargins;
    grid.Fits = grid.DiagramWidth <= across && grid.DiagramHeight <= down;
    Divide(across, grid.DiagramWidth, kMinColumnGap, grid.ColumnGap, grid.SingleColumn);
    Divide(down, grid.DiagramHeight, kMinRowGap, grid.RowGap, grid.SingleRow);
    return grid;
}

TPageGrid ComputePageGrid(int pageWidth, int pageHeight, float factor, int boardWidth, int boardHeight,
                          const THeaderFooterInfo& header, const THeaderFooterInfo& footer) {
    int height = boardHeight;
    if (header.Enabled) height += HeaderFooterHeight(header) + 4;
    if (footer.Enabled) height += HeaderFooterHeight(footer) + 4;
    return ComputePageGridForSize(pageWidth, pageHeight, factor, boardWidth, height);
}

QRect OnePerJobRect(const TPageGrid& grid) { return QRect(kLeft, kTop, grid.DiagramWidth, grid.DiagramHeight); }

void TPagePlacement::StartPage() {
    X_ = kLeft;
    Y_ = kTop;
    rowHoldsDiagram_ = false;
    full_ = false;
    placed_ = 0;
}

std::optional<QRect> TPagePlacement::Place() {
    if (full_) return std::nullopt;
    if (rowHoldsDiagram_ && (X_ + grid_.DiagramWidth > grid_.PageWidth - kRightEdge || grid_.SingleColumn)) {
        X_ = kLeft;
        Y_ += grid_.DiagramHeight + grid_.RowGap;
        rowHoldsDiagram_ = false;
        full_ = grid_.SingleRow || Y_ + grid_.DiagramHeight > grid_.PageHeight - kBottomEdge;
        if (full_) return std::nullopt;
    }
    const QRect rect(X_, Y_, grid_.DiagramWidth, grid_.DiagramHeight);
    X_ += grid_.DiagramWidth + grid_.ColumnGap;
    rowHoldsDiagram_ = true;
    ++placed_;
    return rect;
}

}  // namespace vorlix
