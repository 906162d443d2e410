#pragma once
// Named themes: the colours and pictures of a board kept in a small text file
// (key = value lines), one file a theme. The program ships a few in its data
// folder; the user's own stand in the per-user data folder and come first.
#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "board/Borders.h"
#include "board/Colors.h"
#include "board/SquareInfo.h"
#include "board/VectorPieces.h"

namespace vorlix {

class TDiagramBoard;

// What a theme sets; what it leaves out stays as the board has it.
struct TTheme {
    QString Name;
    QString File;
    std::optional<TColor> LightSquares, DarkSquares;
    QImage LightImage, DarkImage;  // null: none given
    std::optional<bool> LightAutoFit, DarkAutoFit;
    std::optional<TShading> LightShading, DarkShading;
    std::optional<TColor> LightShadingColor, DarkShadingColor;
    std::optional<TColor> CoordinateColor, CoordinateBackColor;
    std::optional<TColor> GridLineColor;
    std::optional<TColor> HighlightColor;  // the last move's rings or arrow and the check ring
    std::optional<int> GridLineWidth;
    std::optional<std::vector<TBorderInfo>> Borders;  // innermost first
    QString Pieces;                                   // a folder of SVG pieces, absolute; empty: none
};

// Reads a theme file; false with a message naming the file (and the line) when
// it cannot be read or holds a word it does not know.
bool ReadTheme(const QString& file, TTheme& theme, QString& error);

// Finds and reads the theme NAME and the piece set it names (null when none);
// false with a message naming the file when either cannot be read.
bool LoadNamedTheme(const QString& name, TTheme& theme, std::shared_ptr<const TVectorPieces>& pieces, QString& error);

// Puts the theme's settings on the board (its piece folder is the caller's to load).
void ApplyTheme(const TTheme& theme, TDiagramBoard& board);

// The folders searched for themes, the user's own first: XDG data home's
// chess-vorlix/themes, then the themes folder of the program's data.
QStringList ThemeFolders();

// The file of the theme NAME (NAME.theme in the first folder that has it), or
// NAME itself when it names a file; empty when there is none.
QString FindTheme(const QString& name, const QStringList& folders = ThemeFolders());

// The names of the themes in the folders, each once, sorted.
QStringList ThemeNames(const QStringList& folders = ThemeFolders());

}  // namespace vorlix
