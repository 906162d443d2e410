#include "imaging/BmpWriter.h"

#include <stdexcept>

#include "imaging/ByteStream.h"

namespace vorlix {

namespace {

constexpr uint32_t kHeadersSize = 14 + 40;

void WriteHeaders(TByteWriter& out, const QImage& image, int bits, uint32_t tableSize, uint32_t pixelBytes) {
    const uint32_t offset = kHeadersSize + tableSize;
    out.WriteU8('B');
    out.WriteU8('M');
    out.WriteU32(offset + pixelBytes);
    out.WriteU32(0);
    out.WriteU32(offset);
    out.WriteU32(40);
    out.WriteI32(image.width());
    out.WriteI32(image.height());
    out.WriteU16(1);
    out.WriteU16(static_cast<uint16_t>(bits));
    out.WriteU32(0);  // uncompressed
    out.WriteU32(pixelBytes);
    out.WriteU32(0);
    out.WriteU32(0);
    out.WriteU32(0);  // colour count: the full table of the depth
    out.WriteU32(0);
}

void WriteColorTable(TByteWriter& out, const QImage& indexed, int bits) {
    const int entries = 1 << bits;
    for (int i = 0; i < entries; ++i) {
        const QRgb c = i < indexed.colorCount() ? indexed.color(i) : qRgb(0, 0, 0);
        out.WriteU8(static_cast<uint8_t>(qBlue(c)));
        out.WriteU8(static_cast<uint8_t>(qGreen(c)));
        out.WriteU8(static_cast<uint8_t>(qRed(c)));
        out.WriteU8(0);
    }
}

void WriteRgbRow(std::vector<uint8_t>& row, const QImage& rgb, int y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) {
        row[size_t(x) * 3] = static_cast<uint8_t>(qBlue(line[x]));
        row[size_t(x) * 3 + 1] = static_cast<uint8_t>(qGreen(line[x]));
        row[size_t(x) * 3 + 2] = static_cast<uint8_t>(qRed(line[x]));
    }
}

void WriteIndexRow(std::vector<uint8_t>& row, const QImage& indexed, int y, int bits) {
    const uchar* line = indexed.constScanLine(y);
    for (int x = 0; x < indexed.width(); ++x) {
        const int bitPos = x * bits;
        row[size_t(bitPos / 8)] |= static_cast<uint8_t>(line[x] << (8 - bits - bitPos % 8));
    }
}

}  // namespace

std::vector<uint8_t> EncodeBmp(const QImage& image, int bits) {
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24) throw std::invalid_argument("unsupported bits per pixel");
    const QImage source =
        bits == 24 ? image.convertToFormat(QImage::Format_RGB32) : image.convertToFormat(QImage::Format_Indexed8);
    if (bits < 24 && (image.colorCount() == 0 || source.colorCount() > (1 << bits)))
        throw std::invalid_argument("image does not fit the colour depth");

    const size_t stride = ((size_t(source.width()) * bits + 31) / 32) * 4;
    const uint32_t tableSize = bits < 24 ? (4u << bits) : 0;
    TByteWriter out;
    WriteHeaders(out, source, bits, tableSize, static_cast<uint32_t>(stride * source.height()));
    if (bits < 24) WriteColorTable(out, source, bits);
    for (int y = source.height() - 1; y >= 0; --y) {
        std::vector<uint8_t> row(stride, 0);
        if (bits == 24)
            WriteRgbRow(row, source, y);
        else
            WriteIndexRow(row, source, y, bits);
        out.WriteBytes(row);
    }
    return out.Take();
}

}  // namespace vorlix
