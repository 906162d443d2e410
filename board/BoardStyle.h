#pragma once
// Every style setting of a board as one value: read from a board, edited as a
// scratch copy (the board settings dialog, its previews) and applied in one go.
#include <QImage>
#include <optional>
#include <vector>

#include "board/Borders.h"
#include "board/HeaderFooter.h"
#include "board/SquareInfo.h"

namespace vorlix {

class TDiagramBoard;

struct TSquareStyle {
    TColor Color = clWhite;
    TShading Shading = shNone;
    TColor ShadingColor = clBlack;
    QImage Bitmap;  // null: no background image
    bool AutoFit = false;
};

struct TBoardStyle {
    std::vector<TBorderInfo> Borders;
    bool CoordInCapitals = false;
    TColor CoordBackColor = clWhite;
    TCoordenateOrientation CoordSides = East | South;
    bool CoordInside = false;
    bool ShowSideToMove = false;          // the mover mark beside the board
    std::optional<TColor> MoveMarkColor;  // the last move's and the check's marks; none: their own colours
    TCFont CoordFont;
    TPieceStyle PieceStyle = psRirozReg;
    TColor GridLineColor = clBlack;
    int GridLineWidth = 0;
    TView View = vwWhiteUnder;
    TSquareStyle Light{clWhite};
    TSquareStyle Dark{clSilver};
    int SquareSize = 36;
};

TBoardStyle ReadBoardStyle(const TDiagramBoard& board);
// Writes every setting under the board's update lock, so it repaints once.
void ApplyBoardStyle(TDiagramBoard& board, const TBoardStyle& style);

}  // namespace vorlix
