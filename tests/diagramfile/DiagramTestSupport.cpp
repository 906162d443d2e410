#include "DiagramTestSupport.h"

#include <QFile>

namespace vorlix::test {

QImage IndexedPicture(int width, int height, int colors) {
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorCount(colors);
    for (int i = 0; i < colors; ++i) image.setColor(i, qRgb(i * 37 % 256, 255 - i * 11 % 256, i * 5 % 256));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, uint((x * 3 + y * 7) % colors));
    return image;
}

QImage RgbPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x * 9 % 256, y * 13 % 256, (x ^ y) % 256));
    return image;
}

bool SamePixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) | 0xFF000000u) != (b.pixel(x, y) | 0xFF000000u)) return false;
    return true;
}

void StyleEverything(TDiagramBoard& board) {
    board.SetPieceStyle(psRoruvoz);
    board.SetView(vwBlackUnder);
    board.SetGridLineWidth(3);
    board.SetGridLineColor(0x123456);
    board.SetSquareSize(40);
    board.SetLightSquares(0x80000005);  // system colour flag kept as stored
    board.SetDarkSquares(0x00336699);
    board.SetLightShading(shVertical);
    board.SetDarkShading(shDiagonalRL);
    board.SetLightShadingColor(0x0000AA);
    board.SetDarkShadingColor(0x00BB00);
    board.SetLightSquareAutoFit(true);
    board.SetDarkSquareAutoFit(true);
    board.SetCoordenateOrientation(North | West);
    board.SetFont(TCFont{0x0000FF, "DejaVu Serif", 20, fsItalic | fsUnderline});
    board.SetCoordenateBackColor(0x00EEDDCC);
    board.SetCoordenateInCapitals(true);
    board.Border().Assign({{1, 0x0000FF, 0xFF0000}, {4, 0x00FF00, 0x00FF00}, {2, 0, 0x808080}});
    board.SetPiece(4, 3, pcWCross);
    board.SetPiece(7, 7, pcBDot);
    board.ToggleSelection(QPoint(4, 3));
    board.HighlightSquare(0x00FFFF, true, false, QPoint(4, 3));
    board.HighlightSquare(0xFF00FF, false, false, QPoint(0, 7));
    board.SetLightSquareBitmap(RgbPicture(5, 3));
    board.SetDarkSquareBitmap(RgbPicture(2, 7));
}

THeaderFooterInfo SampleLine(const char* text, int alignment) {
    THeaderFooterInfo line;
    line.Enabled = true;
    line.Text = text;
    line.Alignment = alignment;
    line.Color = 0x00102030;
    line.Font = TCFont{0x00405060, "DejaVu Sans Mono", 14, fsBold | fsStrikeOut};
    return line;
}

std::vector<uint8_t> FileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray data = f.readAll();
    return std::vector<uint8_t>(data.begin(), data.end());
}

void WriteBytes(const QString& path, const std::vector<uint8_t>& bytes) {
    QFile::remove(path);  // a truncated rewrite would force a disk flush on close
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
}

}  // namespace vorlix::test
