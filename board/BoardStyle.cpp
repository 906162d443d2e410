#include "board/BoardStyle.h"

#include "board/DiagramBoard.h"

namespace vorlix {

TBoardStyle ReadBoardStyle(const TDiagramBoard& board) {
    TBoardStyle style;
    style.Borders = board.Border().Items();
    style.CoordInCapitals = board.CoordenateInCapitals();
    style.CoordBackColor = board.CoordenateBackColor();
    style.CoordSides = board.CoordenateOrientation();
    style.CoordInside = board.CoordenateInside();
    style.ShowSideToMove = board.ShowSideToMove();
    style.MoveMarkColor = board.MoveMarkColor();
    style.CoordFont = board.Font();
    style.PieceStyle = board.PieceStyle();
    style.GridLineColor = board.GridLineColor();
    style.GridLineWidth = board.GridLineWidth();
    style.View = board.View();
    style.Light = {board.LightSquares(), board.LightShading(), board.LightShadingColor(), board.LightSquareBitmap(),
                   board.LightSquareAutoFit()};
    style.Dark = {board.DarkSquares(), board.DarkShading(), board.DarkShadingColor(), board.DarkSquareBitmap(),
                  board.DarkSquareAutoFit()};
    style.SquareSize = board.SquareSize();
    return style;
}

void ApplyBoardStyle(TDiagramBoard& board, const TBoardStyle& style) {
    const bool wasUpdating = board.Updating();
    board.BeginUpdate();
    board.Border().Assign(style.Borders);
    board.SetCoordenateInCapitals(style.CoordInCapitals);
    board.SetCoordenateBackColor(style.CoordBackColor);
    board.SetCoordenateOrientation(style.CoordSides);
    board.SetCoordenateInside(style.CoordInside);
    board.SetShowSideToMove(style.ShowSideToMove);
    board.SetMoveMarkColor(style.MoveMarkColor);
    board.SetFont(style.CoordFont);
    board.SetPieceStyle(style.PieceStyle);
    board.SetGridLineColor(style.GridLineColor);
    board.SetGridLineWidth(style.GridLineWidth);
    board.SetView(style.View);
    board.SetLightShading(style.Light.Shading);
    board.SetDarkShading(style.Dark.Shading);
    board.SetLightSquares(style.Light.Color);
    board.SetDarkSquares(style.Dark.Color);
    board.SetLightShadingColor(style.Light.ShadingColor);
    board.SetDarkShadingColor(style.Dark.ShadingColor);
    board.SetLightSquareBitmap(style.Light.Bitmap);
    board.SetDarkSquareBitmap(style.Dark.Bitmap);
    board.SetLightSquareAutoFit(style.Light.AutoFit);
    board.SetDarkSquareAutoFit(style.Dark.AutoFit);
    board.SetSquareSize(style.SquareSize);
    if (!wasUpdating) board.EndUpdate();
}

}  // namespace vorlix
