#pragma once
// The picture on a piece button of the pieces toolbar.
#include <QIcon>

namespace vorlix {

class TDiagramBoard;

constexpr int kPieceButtonIconSide = 32;

// The board's bitmap piece for a device pixel ratio of 1, and outline pieces
// drawn at the screen's resolution for higher ratios (2 and screenRatio), so
// that the button is sharp on a high-density screen.
QIcon PieceButtonIcon(const TDiagramBoard& board, int code, qreal screenRatio);

}  // namespace vorlix
