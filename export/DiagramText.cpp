#include "export/DiagramText.h"

#include <string>

#include "rules/ChessPosition.h"

namespace vorlix {

namespace {

bool Shown(const THeaderFooterInfo& line) {
    return line.Enabled && !QString::fromStdString(line.Text).trimmed().isEmpty();
}

// One side's pieces: kinds from the king down, squares in board order.
QString SidePieces(const std::array<int32_t, 64>& codes, bool white) {
    static const struct {
        int32_t Kind;
        const char* One;
        const char* Many;
    } kKinds[] = {{pcWKing, "King", "Kings"},       {pcWQueen, "Queen", "Queens"},    {pcWRook, "Rook", "Rooks"},
                  {pcWBishop, "Bishop", "Bishops"}, {pcWKnight, "Knight", "Knights"}, {pcWPawn, "Pawn", "Pawns"}};
    QStringList kinds;
    for (const auto& kind : kKinds) {
        const int32_t code = white ? kind.Kind : kind.Kind + kBlackOffset;
        QStringList squares;
        for (int square = 0; square < 64; ++square)
            if (codes[static_cast<size_t>(square)] == code)
                squares << QString("%1%2").arg(QChar('a' + SquareFile(square))).arg(SquareRank(square) + 1);
        if (!squares.isEmpty())
            kinds << QString::fromLatin1(squares.size() == 1 ? kind.One : kind.Many) + ' ' + squares.join(", ");
    }
    return kinds.isEmpty() ? QStringLiteral("none") : kinds.join(", ");
}

}  // namespace

QString DiagramTitle(const TDiagram& diagram) {
    if (Shown(diagram.Header)) return QString::fromStdString(diagram.Header.Text).trimmed();
    if (Shown(diagram.Footer)) return QString::fromStdString(diagram.Footer.Text).trimmed();
    return QStringLiteral("Chess diagram");
}

QString DiagramDescription(const TDiagramBoard& board) {
    std::string placement;
    board.GetPlacementText(placement);
    const std::array<int32_t, 64> codes = board.Codes();
    return QString::fromStdString(placement) + "\nWhite: " + SidePieces(codes, true) +
           "; Black: " + SidePieces(codes, false);
}

}  // namespace vorlix
