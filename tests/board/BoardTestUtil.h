#pragma once
#include <QImage>

#include "board/DiagramBoard.h"

namespace vorlix::test {

// Windows colour of a pixel of the diagram bitmap.
inline TColor PixelColor(const TDiagramBoard& board, int x, int y) {
    return RgbToColor(board.DiagramBitmap().pixel(x, y));
}

inline QRect BoundsOf(const TDiagramBoard& board, int file, int rank) {
    const TRect32& r = board.Square(file, rank).Bounds;
    return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1));
}

// A plain board: no borders, no coordinates.
inline void MakeBare(TDiagramBoard& board) {
    board.Border().Clear();
    board.SetCoordenateOrientation(0);
}

}  // namespace vorlix::test
