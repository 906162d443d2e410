#include <QPainter>

#include "board/ChessBoard.h"
#include "board/Fonts.h"
#include "board/ui/BrdSettingsSquares.h"

namespace vorlix {
namespace {

constexpr int kGlyph = 32;

QImage Glyph(TPieceStyle style, int code) {
    TkxChessBrd board;
    board.SetPieceStyle(style);
    QImage glyph(kGlyph, kGlyph, QImage::Format_RGB32);
    glyph.fill(Qt::white);
    board.DrawPieceGlyph(code, glyph);
    return glyph;
}

}  // namespace

QImage PieceSetPicture(TPieceStyle style) {
    const int codes[] = {1, 4, 8, 12};  // white king and knight, black queen and pawn
    QImage picture(kGlyph * 4, kGlyph, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter p(&picture);
    for (int i = 0; i < 4; ++i) p.drawImage(i * kGlyph, 0, Glyph(style, codes[i]));
    return picture;
}

QImage OrientationPicture(TView view, TPieceStyle style) {
    QImage picture(kGlyph + 8, kGlyph * 2 + 8, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setPen(Qt::gray);
    p.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    const bool whiteUnder = view == vwWhiteUnder;
    p.drawImage(4, 4, Glyph(style, whiteUnder ? 7 : 1));
    p.drawImage(4, 4 + kGlyph, Glyph(style, whiteUnder ? 1 : 7));
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

QImage HighlightExample(const TBoardStyle& style, const THighlightOption& first, const THighlightOption& second) {
    TkxChessBrd board;
    TBoardStyle plain = style;
    plain.Borders.clear();
    plain.CoordSides = 0;
    plain.View = vwWhiteUnder;
    ApplyBoardStyle(board, plain);
    board.ClearBoard();
    board.SetPiece(0, 0, 4);   // a1 white knight
    board.SetPiece(1, 1, 9);   // b2 black bishop
    board.HighlightSquare(first.Color, first.Merge, false, QPoint(0, 0));
    board.HighlightSquare(first.Color, first.Merge, false, QPoint(1, 0));
    board.HighlightSquare(second.Color, second.Merge, false, QPoint(0, 1));
    board.HighlightSquare(second.Color, second.Merge, false, QPoint(1, 1));
    board.Render();
    const QRect area = board.SquareRect(0, 0).united(board.SquareRect(1, 1));
    return board.DiagramBitmap().copy(area);
}

}  // namespace vorlix
