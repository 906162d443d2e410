#include "board/Bmp24Writer.h"

#include <QSaveFile>

namespace vorlix {

namespace {
void PutU16(uchar* p, uint32_t v) {
    p[0] = uchar(v);
    p[1] = uchar(v >> 8);
}
void PutU32(uchar* p, uint32_t v) {
    PutU16(p, v);
    PutU16(p + 2, v >> 16);
}
constexpr int kFileHeader = 14;
constexpr int kInfoHeader = 40;
}  // namespace

QByteArray EncodeBmp24(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int width = image.width(), height = image.height();
    const qsizetype rowBytes = (qsizetype(width) * 3 + 3) & ~qsizetype(3);
    const qsizetype pixelBytes = rowBytes * height;
    QByteArray data(kFileHeader + kInfoHeader + pixelBytes, '\0');
    auto* p = reinterpret_cast<uchar*>(data.data());
    p[0] = 'B';
    p[1] = 'M';
    PutU32(p + 2, uint32_t(data.size()));
    PutU32(p + 10, kFileHeader + kInfoHeader);
    uchar* info = p + kFileHeader;
    PutU32(info, kInfoHeader);
    PutU32(info + 4, uint32_t(width));
    PutU32(info + 8, uint32_t(height));
    PutU16(info + 12, 1);
    PutU16(info + 14, 24);
    PutU32(info + 20, uint32_t(pixelBytes));
    PutU32(info + 24, 3780);  // 96 dots per inch
    PutU32(info + 28, 3780);
    uchar* pixels = info + kInfoHeader;
    for (int y = 0; y < height; ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(image.constScanLine(height - 1 - y));
        uchar* dst = pixels + y * rowBytes;
        for (int x = 0; x < width; ++x) {
            dst[3 * x] = uchar(qBlue(src[x]));
            dst[3 * x + 1] = uchar(qGreen(src[x]));
            dst[3 * x + 2] = uchar(qRed(src[x]));
        }
    }
    return data;
}

bool SaveBmp24(const QImage& image, const QString& fileName, std::string& error) {
    if (image.isNull()) {
        error = "nothing to write";
        return false;
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString().toStdString();
        return false;
    }
    const QByteArray data = EncodeBmp24(image);
    if (file.write(data) != data.size() || !file.commit()) {
        error = file.errorString().toStdString();
        return false;
    }
    return true;
}

}  // namespace vorlix
