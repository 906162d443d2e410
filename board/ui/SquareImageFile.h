#pragma once
// Square background images as the board settings dialog takes them: reading
// the file, the offer to shrink a large picture, and the scratch copy that
// keeps the chosen picture until the editor closes.
#include <QImage>
#include <QString>

namespace vorlix {

// As "Label|patterns" pairs (board/ui/FileFilters.h).
inline const QString kSquareImageFilter =
    "Background Images (*.bmp, *.jpg)|*.bmp;*.jpg;*.jpeg|Bitmap Images (*.bmp)|*.bmp|Jpeg Images (*.jpg)|*.jpg;*.jpeg";

// Pictures above this many pixels are offered for shrinking.
constexpr qint64 kShrinkQuestionPixels = 39999;
constexpr int kShrunkShortSide = 64;

// ".bmp" through the BMP reader, ".jpg"/".jpeg" (any case) through the JPEG
// decoder, as 24-bit pictures; a null image when the file is no such picture.
QImage LoadSquareImage(const QString& fileName);
bool OfferShrink(QSize size);
// The shorter side becomes 64 pixels, the longer one keeps the proportion, rounded up.
QSize ShrunkSize(QSize size);
QImage ShrinkSquareImage(const QImage& image);

// The scratch copy of one square colour's picture in a folder: "lback" or
// "dback" with the first free number 001..999, chosen once per run.
QString ScratchImageName(const QString& folder, bool light);
// Writes the picture as BMP; false when it cannot be written.
bool SaveScratchImage(const QImage& image, const QString& fileName);

}  // namespace vorlix
