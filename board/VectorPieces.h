#pragma once
// Outline versions of the piece sets and the training marks, for pictures at
// any size. They come from the same glyphs as the bitmap sets and sit in the
// same 32 x 32 cell, so a square shows a piece at the same place either way.
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QString>
#include <array>
#include <mutex>

#include "board/SquareInfo.h"

class QPainter;

namespace vorlix {

// One picture in cell units: the silhouette is filled white, the ink over it black.
struct TVectorPicture {
    QPainterPath Silhouette;
    QPainterPath Ink;
    bool IsEmpty() const { return Silhouette.isEmpty() && Ink.isEmpty(); }
};

// Parses the path data that the outline sheets hold (absolute M, L, H, V, Q, C,
// Z, as the glyph converter writes them); an empty path for anything else.
QPainterPath ParsePathData(const QString& data);

// The contours of a glyph that lie inside no other contour, filled whole: the
// glyph with its enclosed openings closed.
QPainterPath OuterContours(const QPainterPath& glyph);

class TVectorPieces {
public:
    static constexpr int kCell = 32;

    // The set of a style with the marks, loaded once.
    static const TVectorPieces& Of(TPieceStyle style);

    // Picture of a square code 1..16; an empty picture for other codes.
    const TVectorPicture& Picture(int code) const;
    // Draws the picture with its cell's top-left corner at cellOrigin (cell units = painter units).
    // Onto a PDF page or a picture recorded for printing it draws two glyphs of
    // the set's outline font (the same outlines), which a document keeps once.
    void Draw(QPainter& painter, int code, QPointF cellOrigin) const;
    // The family of the set's outline font (registered on first use); empty when it could not be made.
    const QString& FontFamily() const;
    // The picture alone, centred on a clear square of side logical pixels, for a
    // screen of the given device pixel ratio (side x ratio pixels, ratio set).
    QImage ScreenImage(int code, int side, qreal ratio) const;
    // True when every piece of the set could be read.
    bool IsComplete() const { return complete_; }

private:
    explicit TVectorPieces(TPieceStyle style);
    bool DrawGlyphs(QPainter& painter, int code) const;

    void PrepareForThreads();

    TPieceStyle style_;

    std::array<TVectorPicture, kMaxSquareCode + 1> pictures_;
    bool complete_ = false;
    mutable std::once_flag fontOnce_;
    mutable QString fontFamily_;
};

}  // namespace vorlix
