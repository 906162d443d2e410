#pragma once
// Animated moves and take-backs on the diagram board for the game viewer. The
// frames are composed here, without widgets; the board control shows them.
#include <QImage>
#include <QPoint>
#include <vector>

#include "rules/ChessPosition.h"

namespace vorlix {

class TDiagramBoard;

// What the board control lends an animation.
class TAnimationHost {
public:
    virtual ~TAnimationHost() = default;
    // Shows Frame (the squares' area of the diagram) with its top-left corner
    // at TopLeft in control pixels, at once.
    virtual void ShowFrame(const QImage& Frame, QPoint TopLeft) = 0;
    // The device pixel ratio the frames are composed for; above 1 they are
    // drawn through the vector road at that resolution (the ratio set on them).
    virtual qreal FrameRatio() const { return 1.0; }
    // Waits Ms milliseconds before a frame.
    virtual void Wait(int Ms) = 0;
    // Lets pending window messages run between frames.
    virtual void ProcessMessages() = 0;
};

// Waits and lets messages run through the application's event loop; only
// ShowFrame is left to the control.
class TEventLoopAnimationHost : public TAnimationHost {
public:
    void Wait(int Ms) override;
    void ProcessMessages() override;
};

// How a travelling position in floating point becomes a pixel.
enum class TPathRounding { Truncate, NearestEven };

// Number of steps of a travel between two squares: 6 x the larger of the
// file and rank distances.
int AnimationSteps(QPoint FromSquare, QPoint ToSquare);

// The top-left corners of the travelling picture, frames 0 to Steps, from
// From to To in equal floating-point increments added up frame by frame.
std::vector<QPoint> AnimationPath(QPoint From, QPoint To, int Steps, TPathRounding Rounding);

// Moves Move.Piece from its from-square to its to-square (removing an
// en-passant pawn, placing a promotion piece, then the castling rook).
void AnimateMove(TDiagramBoard& Board, const TChessMove& Move, TAnimationHost& Host);

// The reverse: the piece travels back, CapturedPiece reappears on the
// to-square when Move.Capture is set, an en-passant pawn comes back beside
// the from-square, and a castling rook returns to its corner.
void AnimateTakeBack(TDiagramBoard& Board, const TChessMove& Move, int CapturedPiece, TAnimationHost& Host);

}  // namespace vorlix
