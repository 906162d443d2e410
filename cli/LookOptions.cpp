#include "cli/LookOptions.h"

#include <QString>

#include "board/DiagramBoard.h"
#include "board/VectorPieces.h"

namespace vorlix::cli {

std::optional<std::string> ParseLookValue(const std::string& name, const std::string& value, TLookOptions& o) {
    if (name == "--pieces") {
        if (value.empty()) return std::string("--pieces takes a folder of SVG pieces (wK.svg ... bP.svg)");
        o.Pieces = value;
        return std::string();
    }
    return std::nullopt;
}

std::string LoadLook(TLookOptions& o) {
    if (o.Pieces) {
        QString error;
        o.PieceSet = TVectorPieces::FromFolder(QString::fromStdString(*o.Pieces), error);
        if (!o.PieceSet) return error.toStdString();
    }
    return {};
}

void ApplyLook(const TLookOptions& o, TDiagramBoard& board) {
    if (o.PieceSet) board.SetPieceSet(o.PieceSet);
}

}  // namespace vorlix::cli
