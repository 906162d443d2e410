#include "board/ui/PieceButtonIcon.h"

#include <QBitmap>
#include <QPixmap>

#include "board/Colors.h"
#include "board/DiagramBoard.h"
#include "board/VectorPieces.h"

namespace vorlix {

namespace {

QPixmap BitmapPiece(const TDiagramBoard& board, int code) {
    QImage glyph(kPieceButtonIconSide, kPieceButtonIconSide, QImage::Format_RGB32);
    glyph.fill(ColorToQColor(clRed));
    board.DrawPieceGlyph(code, glyph);
    // Red is the button image's transparent colour.
    QPixmap pixmap = QPixmap::fromImage(glyph);
    pixmap.setMask(QBitmap::fromImage(glyph.createMaskFromColor(ColorToRgb(clRed), Qt::MaskInColor)));
    return pixmap;
}

}  // namespace

QIcon PieceButtonIcon(const TDiagramBoard& board, int code, qreal screenRatio) {
    QIcon icon(BitmapPiece(board, code));
    const TVectorPieces& outlines = board.Pieces();
    icon.addPixmap(QPixmap::fromImage(outlines.ScreenImage(code, kPieceButtonIconSide, 2.0)));
    if (screenRatio > 1 && screenRatio != 2.0)
        icon.addPixmap(QPixmap::fromImage(outlines.ScreenImage(code, kPieceButtonIconSide, screenRatio)));
    return icon;
}

}  // namespace vorlix
