#pragma once
// The prepared piece pictures: three lists (plain, light-shaded, dark-shaded) of
// S x S pictures indexed by square code 0..16, built from the piece set of a
// style and the training marks. Rendering only composes these; it never rebuilds.
#include <QImage>
#include <QString>
#include <array>

#include "board/SquareInfo.h"

namespace vorlix {

// Key colour of the artwork and placeholder colour of shading lines, as Qt pixels.
constexpr QRgb kMagentaRgb = 0xFFFF00FF;
constexpr QRgb kAquaRgb = 0xFF00FFFF;

// Artwork resource of a piece style ("RIROZ", "ROVIRAVO", "RORUVOZ") and of the marks.
QString PieceSetName(TPieceStyle style);
constexpr const char* kExtraSetName = "EXTRA";
// The artwork picture as RGB32, or a null image when the resource is missing or malformed.
QImage LoadArtwork(const QString& name);

// Draws one shading pattern in aqua onto an RGB32 picture whose background is
// magenta, keeping one pixel of clearance from anything that is not magenta.
void AddShadingLines(QImage& picture, TShading shading);

class TPieceImages {
public:
    enum TList { Plain = 0, LightShaded = 1, DarkShaded = 2 };
    static constexpr int kCodes = kMaxSquareCode + 1;

    // Takes the settings; the pictures are made when first asked for, so a
    // board whose settings change several times (loading a file) builds once.
    // A non-null artwork (a 6 x 2 grid of cells) stands in for the style's pieces.
    void Build(int squareSize, TPieceStyle style, TShading light, TShading dark, const QImage& artwork = QImage());
    int Size() const { return size_; }
    // ARGB32 premultiplied: magenta pixels are fully transparent, all others opaque.
    const QImage& Picture(TList list, int code) const {
        EnsureBuilt();
        return pictures_[list][size_t(code)];
    }
    // False when the picture is fully transparent (nothing to draw).
    bool HasContent(TList list, int code) const {
        EnsureBuilt();
        return content_[list][size_t(code)];
    }

private:
    void EnsureBuilt() const {
        if (!built_) BuildNow();
    }
    void BuildNow() const;
    void Store(TList list, int code, const QImage& magentaPicture) const;

    int size_ = 0;
    TPieceStyle style_ = psRirozReg;
    TShading light_ = shNone, dark_ = shNone;
    QImage artwork_;
    mutable bool built_ = true;  // nothing to build before the first Build
    mutable std::array<std::array<QImage, kCodes>, 3> pictures_;
    mutable std::array<std::array<bool, kCodes>, 3> content_{};
};

}  // namespace vorlix
