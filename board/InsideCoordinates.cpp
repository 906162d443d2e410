#include "board/InsideCoordinates.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "board/DiagramBoard.h"
#include "board/Fonts.h"

namespace vorlix {

namespace {

double Channel(int value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& c) {
    return 0.2126 * Channel(c.red()) + 0.7152 * Channel(c.green()) + 0.0722 * Channel(c.blue());
}

// Far enough to be read at a glance, as for large text.
constexpr double kMinContrast = 3.0;

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ContrastingColor(const QColor& square, const QColor& otherSquare) {
    if (ContrastRatio(square, otherSquare) >= kMinContrast) return otherSquare;
    const QColor black(0, 0, 0), white(255, 255, 255);
    return ContrastRatio(square, black) >= ContrastRatio(square, white) ? black : white;
}

QFont InsideCoordinateFont(const TDiagramBoard& board) {
    QFont font = MakeFont(board.Font());
    // Small enough to leave the piece in the middle of the square uncovered.
    font.setPixelSize(std::max(6, board.SquareSize() * 3 / 11));
    return font;
}

std::vector<TInsideLabel> InsideCoordinateLabels(const TDiagramBoard& board) {
    std::vector<TInsideLabel> labels;
    const TCoordenateOrientation sides = board.CoordenateOrientation();
    if (!board.CoordenateInside() || !sides) return labels;
    const QFontMetrics metrics(InsideCoordinateFont(board));
    const int margin = std::max(1, board.SquareSize() / 18);
    const bool whiteUnder = board.View() == vwWhiteUnder;
    const QColor light = ColorToQColor(board.LightSquares()), dark = ColorToQColor(board.DarkSquares());

    // Digits go to the top corners, letters to the bottom ones, so a corner
    // square with two labels keeps them apart.
    auto add = [&](int file, int rank, QString text, bool right, bool bottom) {
        const QRect square = board.SquareRect(file, rank);
        const QSize size(metrics.horizontalAdvance(text), metrics.height());
        const int x = right ? square.right() + 1 - margin - size.width() : square.left() + margin;
        const int y = bottom ? square.bottom() + 1 - margin - size.height() : square.top() + margin;
        TInsideLabel label;
        label.File = file;
        label.Rank = rank;
        label.Text = text;
        label.Box = QRect(QPoint(x, y), size).intersected(square);
        const bool isLight = (file + rank) % 2 == 1;
        label.SquareColor = isLight ? light : dark;
        label.Color = ContrastingColor(label.SquareColor, isLight ? dark : light);
        labels.push_back(label);
    };
    const int westFile = whiteUnder ? 0 : 7, eastFile = 7 - westFile;
    const int southRank = whiteUnder ? 0 : 7, northRank = 7 - southRank;
    const char base = board.CoordenateInCapitals() ? 'A' : 'a';
    for (int i = 0; i < 8; ++i) {
        const QString digit(QChar('1' + i));
        if (sides & West) add(westFile, i, digit, false, false);
        if (sides & East) add(eastFile, i, digit, true, false);
        const QString letter(QChar(base + i));
        if (sides & South) add(i, southRank, letter, true, true);
        if (sides & North) add(i, northRank, letter, false, true);
    }
    return labels;
}

}  // namespace vorlix
