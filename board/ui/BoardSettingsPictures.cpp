#include <QPainter>
#include <cmath>

#include "board/DiagramBoard.h"
#include "board/DiagramPainter.h"
#include "board/Fonts.h"
#include "board/VectorPieces.h"
#include "board/ui/BoardSettingsSquares.h"

namespace vorlix {
namespace {

constexpr int kGlyph = 32;

QImage BitmapGlyph(TPieceStyle style, int code) {
    TDiagramBoard board;
    board.SetPieceStyle(style);
    QImage glyph(kGlyph, kGlyph, QImage::Format_RGB32);
    glyph.fill(Qt::white);
    board.DrawPieceGlyph(code, glyph);
    return glyph;
}

// The board's bitmap glyph on a screen of ratio 1, its outline drawn at the
// screen's resolution above that.
QImage Glyph(TPieceStyle style, int code, qreal ratio) {
    if (ratio <= 1) return BitmapGlyph(style, code);
    return TVectorPieces::Of(style).ScreenImage(code, kGlyph, ratio);
}

// A white picture of logical size for a screen of the ratio: painters draw on
// it in logical pixels.
QImage WhiteCanvas(QSize logical, qreal ratio) {
    QImage canvas(int(std::ceil(logical.width() * ratio)), int(std::ceil(logical.height() * ratio)),
                  QImage::Format_RGB32);
    canvas.fill(Qt::white);
    canvas.setDevicePixelRatio(ratio);
    return canvas;
}

}  // namespace

QImage DiagramForScreen(const TDiagramBoard& board, qreal ratio) {
    return ratio <= 1 ? board.DiagramBitmap() : RenderDiagramForScreen(board, ratio);
}

QImage PieceSetPicture(TPieceStyle style, qreal ratio) {
    const int codes[] = {1, 4, 8, 12};  // white king and knight, black queen and pawn
    QImage picture = WhiteCanvas(QSize(kGlyph * 4, kGlyph), ratio);
    QPainter p(&picture);
    for (int i = 0; i < 4; ++i) p.drawImage(QPoint(i * kGlyph, 0), Glyph(style, codes[i], ratio));
    return picture;
}

QImage OrientationPicture(TView view, TPieceStyle style, qreal ratio) {
    QImage picture = WhiteCanvas(QSize(kGlyph + 8, kGlyph * 2 + 8), ratio);
    QPainter p(&picture);
    p.setPen(Qt::gray);
    p.drawRect(QRect(QPoint(0, 0), picture.deviceIndependentSize().toSize()).adjusted(0, 0, -1, -1));
    const bool whiteUnder = view == vwWhiteUnder;
    p.drawImage(QPoint(4, 4), Glyph(style, whiteUnder ? 7 : 1, ratio));
    p.drawImage(QPoint(4, 4 + kGlyph), Glyph(style, whiteUnder ? 1 : 7, ratio));
    return picture;
}

QImage FontExamplePicture(const TCFont& font, TColor backColor, bool capitals, QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(ColorToQColor(backColor));
    QPainter p(&picture);
    p.setFont(MakeFont(font));
    p.setPen(ColorToQColor(font.Color));
    p.drawText(picture.rect(), Qt::AlignCenter, capitals ? "ABC123" : "abc123");
    return picture;
}

QImage ShadingSample(TShading shading, TColor penColor, QSize size) {
    static const Qt::BrushStyle hatches[] = {Qt::NoBrush, Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern,
                                             Qt::BDiagPattern};
    QImage sample(size, QImage::Format_RGB32);
    sample.fill(Qt::white);
    QPainter p(&sample);
    p.fillRect(sample.rect(), QBrush(ColorToQColor(penColor), hatches[std::min<int>(shading, 4)]));
    p.setPen(Qt::black);
    p.drawRect(sample.rect().adjusted(0, 0, -1, -1));
    return sample;
}

QImage HighlightExample(const TBoardStyle& style, const THighlightOption& first, const THighlightOption& second,
                        qreal ratio) {
    TDiagramBoard board;
    TBoardStyle plain = style;
    plain.Borders.clear();
    plain.CoordSides = 0;
    plain.View = vwWhiteUnder;
    ApplyBoardStyle(board, plain);
    board.ClearBoard();
    board.SetPiece(0, 0, 4);  // a1 white knight
    board.SetPiece(1, 1, 9);  // b2 black bishop
    board.HighlightSquare(first.Color, first.Merge, false, QPoint(0, 0));
    board.HighlightSquare(first.Color, first.Merge, false, QPoint(1, 0));
    board.HighlightSquare(second.Color, second.Merge, false, QPoint(0, 1));
    board.HighlightSquare(second.Color, second.Merge, false, QPoint(1, 1));
    board.Render();
    const QRect area = board.SquareRect(0, 0).united(board.SquareRect(1, 1));
    if (ratio <= 1) return board.DiagramBitmap().copy(area);
    QImage squares = RenderDiagramForScreen(board, ratio)
                         .copy(QRectF(QRectF(area).topLeft() * ratio, QSizeF(area.size()) * ratio).toAlignedRect());
    squares.setDevicePixelRatio(ratio);
    return squares;
}

}  // namespace vorlix
