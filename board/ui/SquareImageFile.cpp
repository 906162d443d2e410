#include "board/ui/SquareImageFile.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <array>

#include "board/FileBytes.h"
#include "files/SafeFileWriter.h"
#include "imaging/BmpReader.h"
#include "imaging/BmpWriter.h"
#include "imaging/ImageFormat.h"
#include "imaging/ImageScaling.h"

namespace vorlix {

QImage LoadSquareImage(const QString& fileName) {
    const std::optional<TImageFormat> format = ImageFormatOfFileName(fileName);
    // A square picture is a few kilobytes; a pipe or a device chosen by mistake is never read.
    QByteArray bytes;
    QString error;
    if (!ReadFileBytes(fileName, 256 << 20, bytes, error)) return {};
    if (format == TImageFormat::Bmp) {
        try {
            return ReadBmp(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())).Image;
        } catch (const EBmpError&) {
            return {};
        }
    }
    if (format == TImageFormat::Jpeg) {
        QImage image;
        if (!image.loadFromData(bytes, "JPEG")) return {};
        return image.convertToFormat(QImage::Format_RGB32);
    }
    return {};
}

bool OfferShrink(QSize size) { return qint64(size.width()) * size.height() > kShrinkQuestionPixels; }

QSize ShrunkSize(QSize size) {
    const int shortSide = std::min(size.width(), size.height());
    const int longSide = std::max(size.width(), size.height());
    if (shortSide <= 0) return size;
    const int scaled = int(ScaleCeil(static_cast<long double>(kShrunkShortSide) * longSide / shortSide));
    return size.width() <= size.height() ? QSize(kShrunkShortSide, scaled) : QSize(scaled, kShrunkShortSide);
}

QImage ShrinkSquareImage(const QImage& image) {
    QImage shrunk(ShrunkSize(image.size()), image.format());
    QPainter canvas(&shrunk);
    StretchBitmap(canvas, shrunk.rect(), image);
    return shrunk;
}

QString ScratchImageName(const QString& folder, bool light) {
    static std::array<int, 2> chosen{0, 0};
    const QString prefix = light ? "lback" : "dback";
    int& number = chosen[light ? 0 : 1];
    auto nameOf = [&](int n) {
        return QDir(folder).filePath(prefix + QString("%1").arg(n, 3, 10, QChar('0')) + ".bmp");
    };
    if (number == 0) {
        number = 1;
        while (number < 999 && QFile::exists(nameOf(number))) ++number;
    }
    return nameOf(number);
}

bool SaveScratchImage(const QImage& image, const QString& fileName) {
    try {
        const std::vector<uint8_t> bytes = EncodeBmp(image.convertToFormat(QImage::Format_RGB32), 24);
        WriteFileSafely(fileName.toStdString(),
                        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace vorlix
