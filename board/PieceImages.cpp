#include "board/PieceImages.h"

#include <QFile>
#include <map>

#include "imaging/BmpReader.h"

// The artwork resource lives in the static board library, so it must be
// registered explicitly (from the global namespace) before first use.
static void InitPieceArtworkResource() { Q_INIT_RESOURCE(PieceArtwork); }

namespace vorlix {

namespace {

constexpr int kCell = 32;

void InitArtworkResource() {
    static const bool done = [] {
        InitPieceArtworkResource();
        return true;
    }();
    (void)done;
}

// A cell grid of the expected size, or null.
QImage CheckedArtwork(const QImage& image, int columns) {
    if (image.isNull() || image.width() != columns * kCell || image.height() != 2 * kCell) return QImage();
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage MagentaPicture(int size) {
    QImage picture(size, size, QImage::Format_RGB32);
    picture.fill(kMagentaRgb);
    return picture;
}

// The cell at (row, column) centred in a magenta S x S picture; never scaled.
QImage CellPicture(const QImage& artwork, int row, int column, int size) {
    QImage picture = MagentaPicture(size);
    if (artwork.isNull()) return picture;
    const int offset = (size - kCell) / 2;
    for (int y = 0; y < kCell; ++y) {
        const int ty = y + offset;
        if (ty < 0 || ty >= size) continue;
        const auto* src = reinterpret_cast<const QRgb*>(artwork.constScanLine(row * kCell + y)) + column * kCell;
        auto* dst = reinterpret_cast<QRgb*>(picture.scanLine(ty));
        for (int x = 0; x < kCell; ++x) {
            const int tx = x + offset;
            if (tx >= 0 && tx < size) dst[tx] = src[x] | 0xFF000000u;
        }
    }
    return picture;
}

struct TLine {
    int x, y;
};

// True when (x, y) and all its neighbours inside the picture are magenta,
// the pixel painted just before on the same line counting as magenta.
bool ClearOfContent(const QImage& picture, int x, int y, TLine previous, bool hasPrevious) {
    const int size = picture.width();
    for (int dy = -1; dy <= 1; ++dy) {
        const int ny = y + dy;
        if (ny < 0 || ny >= size) continue;
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(ny));
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx;
            if (nx < 0 || nx >= size) continue;
            if (hasPrevious && nx == previous.x && ny == previous.y) continue;
            if ((row[nx] | 0xFF000000u) != kMagentaRgb) return false;
        }
    }
    return true;
}

void DrawShadingLine(QImage& picture, int x, int y, int dx, int dy) {
    const int size = picture.width();
    TLine previous{0, 0};
    bool hasPrevious = false;
    for (; x >= 0 && x < size && y >= 0 && y < size; x += dx, y += dy) {
        if (ClearOfContent(picture, x, y, previous, hasPrevious)) {
            reinterpret_cast<QRgb*>(picture.scanLine(y))[x] = kAquaRgb;
            previous = {x, y};
            hasPrevious = true;
        } else {
            hasPrevious = false;
        }
    }
}

}  // namespace

QString PieceSetName(TPieceStyle style) {
    switch (style) {
        case psRoviravo: return QStringLiteral("ROVIRAVO");
        case psRoruvoz: return QStringLiteral("RORUVOZ");
        default: return QStringLiteral("RIROZ");
    }
}

QImage LoadArtwork(const QString& name) {
    InitArtworkResource();
    static std::map<QString, QImage> cache;
    auto it = cache.find(name);
    if (it != cache.end()) return it->second;
    const int columns = name == QLatin1String(kExtraSetName) ? 2 : 6;
    // Our own BMP reader: Qt's would first look through every image plugin.
    QImage image;
    QFile file(QStringLiteral(":/pieces/") + name + QStringLiteral(".bmp"));
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        try {
            image = ReadBmp(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())).Image;
        } catch (const EBmpError&) {
            // a null image: the pictures come out magenta, as for a missing resource
        }
    }
    QImage checked = CheckedArtwork(image, columns);
    cache.emplace(name, checked);
    return checked;
}

void AddShadingLines(QImage& picture, TShading shading) {
    const int size = picture.width();
    switch (shading) {
        case shHorizontal:
            for (int y = 2; y < size; y += 4) DrawShadingLine(picture, 0, y, 1, 0);
            break;
        case shVertical:
            for (int x = 2; x < size; x += 4) DrawShadingLine(picture, x, 0, 0, 1);
            break;
        case shDiagonalLR:
            for (int x = 0; x < size; x += 4) DrawShadingLine(picture, x, 0, 1, 1);
            for (int y = 4; y < size; y += 4) DrawShadingLine(picture, 0, y, 1, 1);
            break;
        case shDiagonalRL:
            for (int x = 3; x < size; x += 4) DrawShadingLine(picture, x, 0, -1, 1);
            for (int y = 4; y < size; y += 4) DrawShadingLine(picture, size - 1, y, -1, 1);
            break;
        case shNone: break;
    }
}

void TPieceImages::Build(int squareSize, TPieceStyle style, TShading light, TShading dark, const QImage& artwork) {
    size_ = squareSize;
    artwork_ = artwork;
    style_ = style;
    light_ = light;
    dark_ = dark;
    built_ = false;
}

void TPieceImages::BuildNow() const {
    built_ = true;
    const int squareSize = size_;
    const TShading light = light_, dark = dark_;
    const QImage pieceSet = artwork_.isNull() ? LoadArtwork(PieceSetName(style_)) : artwork_;
    const QImage extra = LoadArtwork(QString::fromLatin1(kExtraSetName));

    auto storeAll = [&](int code, const QImage& source, int row, int column) {
        const bool blank = code == 0;
        Store(Plain, code, blank ? MagentaPicture(squareSize) : CellPicture(source, row, column, squareSize));
        QImage lightPicture = blank ? MagentaPicture(squareSize) : CellPicture(source, row, column, squareSize);
        AddShadingLines(lightPicture, light);
        Store(LightShaded, code, lightPicture);
        QImage darkPicture = blank ? MagentaPicture(squareSize) : CellPicture(source, row, column, squareSize);
        AddShadingLines(darkPicture, dark);
        Store(DarkShaded, code, darkPicture);
    };
    storeAll(0, QImage(), 0, 0);
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 6; ++column) storeAll(1 + 6 * row + column, pieceSet, row, column);
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 2; ++column) storeAll(13 + 2 * row + column, extra, row, column);
}

void TPieceImages::Store(TList list, int code, const QImage& magentaPicture) const {
    QImage picture = magentaPicture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    bool content = false;
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if ((row[x] | 0xFF000000u) == kMagentaRgb) {
                row[x] = 0;
            } else {
                row[x] |= 0xFF000000u;
                content = true;
            }
        }
    }
    pictures_[list][size_t(code)] = picture;
    content_[list][size_t(code)] = content;
}

}  // namespace vorlix
