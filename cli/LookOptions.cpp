#include "cli/LookOptions.h"

#include <QString>

#include "board/DiagramBoard.h"
#include "board/VectorPieces.h"

namespace vorlix::cli {

std::optional<std::string> ParseLookValue(const std::string& name, const std::string& value, TLookOptions& o) {
    if (name == "--theme") {
        if (value.empty()) return std::string("--theme takes the name of a theme");
        o.Theme = value;
        return std::string();
    }
    if (name == "--pieces") {
        if (value.empty()) return std::string("--pieces takes a folder of SVG pieces (wK.svg ... bP.svg)");
        o.Pieces = value;
        return std::string();
    }
    return std::nullopt;
}

std::string LoadLook(TLookOptions& o) {
    QString error;
    QString pieces = o.Pieces ? QString::fromStdString(*o.Pieces) : QString();
    if (o.Theme) {
        const QStringList folders = ThemeFolders();
        const QString file = FindTheme(QString::fromStdString(*o.Theme), folders);
        if (file.isEmpty())
            return "no theme " + *o.Theme + " (themes: " + ThemeNames(folders).join(", ").toStdString() +
                   "; looked in " + folders.join(", ").toStdString() + ")";
        o.LoadedTheme.emplace();
        if (!ReadTheme(file, *o.LoadedTheme, error)) return error.toStdString();
        if (pieces.isEmpty()) pieces = o.LoadedTheme->Pieces;  // --pieces goes before the theme's set
    }
    if (!pieces.isEmpty()) {
        o.PieceSet = TVectorPieces::FromFolder(pieces, error);
        if (!o.PieceSet) return error.toStdString();
    }
    return {};
}

void ApplyLook(const TLookOptions& o, TDiagramBoard& board) {
    if (o.LoadedTheme) ApplyTheme(*o.LoadedTheme, board);
    if (o.PieceSet) board.SetPieceSet(o.PieceSet);
}

}  // namespace vorlix::cli
