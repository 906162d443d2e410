#include "imaging/BmpReader.h"

#include <algorithm>
#include <vector>

#include "imaging/ByteStream.h"

namespace vorlix {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
// Headers this long or longer carry the red, green and blue masks themselves.
constexpr uint32_t kHeaderWithMasks = 52;

struct TBmpLayout {
    int32_t Width = 0;
    int32_t Height = 0;  // negative for top-down rows
    uint16_t BitsPerPixel = 0;
    uint32_t Compression = kBiRgb;
    uint32_t ColorsUsed = 0;
    bool CoreHeader = false;
    uint32_t Masks[3] = {};  // red, green, blue of 16- and 32-bit pixels
};

// Where a channel's bits sit in a pixel and how to widen them to eight bits.
struct TChannel {
    uint32_t Mask = 0;
    int Shift = 0;
    uint32_t Max = 0;

    explicit TChannel(uint32_t mask) : Mask(mask) {
        if (mask == 0) return;
        while (!(mask & 1)) {
            mask >>= 1;
            ++Shift;
        }
        Max = mask;
    }
    int Of(uint32_t pixel) const {
        return Max == 0 ? 0 : int((uint64_t((pixel & Mask) >> Shift) * 255 + Max / 2) / Max);
    }
};

void SetDefaultMasks(TBmpLayout& l) {
    const bool sixteen = l.BitsPerPixel == 16;
    l.Masks[0] = sixteen ? 0x7C00 : 0xFF0000;
    l.Masks[1] = sixteen ? 0x03E0 : 0x00FF00;
    l.Masks[2] = sixteen ? 0x001F : 0x0000FF;
}

void ReadMasks(TByteReader& in, TBmpLayout& l) {
    for (uint32_t& mask : l.Masks) mask = in.ReadU32();
}

TBmpLayout ReadCoreHeader(TByteReader& in) {
    TBmpLayout l;
    l.CoreHeader = true;
    l.Width = in.ReadU16();
    l.Height = in.ReadU16();
    if (in.ReadU16() != 1) throw EBmpError("bad plane count");
    l.BitsPerPixel = in.ReadU16();
    SetDefaultMasks(l);
    return l;
}

TBmpLayout ReadInfoHeader(TByteReader& in, uint32_t headerSize) {
    TBmpLayout l;
    l.Width = in.ReadI32();
    l.Height = in.ReadI32();
    if (in.ReadU16() != 1) throw EBmpError("bad plane count");
    l.BitsPerPixel = in.ReadU16();
    l.Compression = in.ReadU32();
    in.Skip(12);  // image size and resolution: recomputed / irrelevant
    l.ColorsUsed = in.ReadU32();
    in.Skip(4);  // important colours
    SetDefaultMasks(l);
    if (l.Compression != kBiBitfields) {
        in.Skip(headerSize - kInfoHeaderSize);
    } else if (headerSize >= kHeaderWithMasks) {
        ReadMasks(in, l);
        in.Skip(headerSize - kHeaderWithMasks);
    } else {
        in.Skip(headerSize - kInfoHeaderSize);
        ReadMasks(in, l);  // the masks follow a short header
    }
    return l;
}

void CheckLayout(const TBmpLayout& l) {
    const int64_t height = l.Height < 0 ? -int64_t(l.Height) : int64_t(l.Height);
    if (l.Width <= 0 || l.Width > kMaxBmpSide || height == 0 || height > kMaxBmpSide ||
        int64_t(l.Width) * height > kMaxBmpPixels)
        throw EBmpError("bad image size");
    switch (l.BitsPerPixel) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32: break;
        default: throw EBmpError("unsupported bits per pixel");
    }
    const bool masked = l.BitsPerPixel == 16 || l.BitsPerPixel == 32;
    if (l.Compression != kBiRgb && !(l.Compression == kBiBitfields && masked))
        throw EBmpError("unsupported compression");
    if (l.ColorsUsed > 256) throw EBmpError("bad colour count");
}

std::vector<QRgb> ReadColorTable(TByteReader& in, const TBmpLayout& l) {
    uint32_t entries = l.ColorsUsed;
    if (entries == 0 && l.BitsPerPixel <= 8) entries = 1u << l.BitsPerPixel;
    const size_t entrySize = l.CoreHeader ? 3 : 4;
    std::vector<QRgb> table;
    table.reserve(entries);
    for (uint32_t i = 0; i < entries; ++i) {
        const uint8_t* e = in.ReadBytes(entrySize);
        table.push_back(qRgb(e[2], e[1], e[0]));
    }
    return table;
}

struct TPixelFormat {
    int Bits;
    TChannel Red, Green, Blue;
    const std::vector<QRgb>& Table;
};

QRgb PixelAt(const uint8_t* row, int x, const TPixelFormat& f) {
    const int bits = f.Bits;
    if (bits == 24) {
        const uint8_t* p = row + size_t(x) * 3;
        return qRgb(p[2], p[1], p[0]);
    }
    if (bits == 16 || bits == 32) {
        const uint8_t* p = row + size_t(x) * (bits / 8);
        const uint32_t v =
            bits == 16 ? uint32_t(p[0] | p[1] << 8) : uint32_t(p[0] | p[1] << 8 | p[2] << 16) | uint32_t(p[3]) << 24;
        return qRgb(f.Red.Of(v), f.Green.Of(v), f.Blue.Of(v));
    }
    const std::vector<QRgb>& table = f.Table;
    const int bitPos = x * bits;
    const int shift = 8 - bits - (bitPos % 8);
    const size_t index = (row[bitPos / 8] >> shift) & ((1 << bits) - 1);
    return index < table.size() ? table[index] : qRgb(0, 0, 0);
}

QImage DecodePixels(const uint8_t* pixels, size_t stride, const TBmpLayout& l, const std::vector<QRgb>& table) {
    const bool topDown = l.Height < 0;
    const int height = topDown ? -l.Height : l.Height;
    QImage image(l.Width, height, QImage::Format_RGB32);
    if (image.isNull()) throw EBmpError("out of memory");
    const TPixelFormat format{l.BitsPerPixel, TChannel(l.Masks[0]), TChannel(l.Masks[1]), TChannel(l.Masks[2]), table};
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = pixels + stride * size_t(topDown ? y : height - 1 - y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < l.Width; ++x) out[x] = PixelAt(row, x, format);
    }
    return image;
}

TBmpImage ReadChecked(TByteReader& in) {
    if (in.ReadU8() != 'B' || in.ReadU8() != 'M') throw EBmpError("not a BMP");
    in.Skip(8);  // file size and reserved words: the headers decide the size
    const uint32_t pixelOffset = in.ReadU32();

    const uint32_t headerSize = in.ReadU32();
    TBmpLayout layout;
    if (headerSize == kCoreHeaderSize)
        layout = ReadCoreHeader(in);
    else if (headerSize >= kInfoHeaderSize && headerSize <= 1024)
        layout = ReadInfoHeader(in, headerSize);
    else
        throw EBmpError("unknown information header");
    CheckLayout(layout);
    const std::vector<QRgb> table = ReadColorTable(in, layout);

    // Pixels follow the colour table unless the offset points further on.
    if (pixelOffset > in.Position()) in.Skip(pixelOffset - in.Position());
    const size_t stride = ((size_t(layout.Width) * layout.BitsPerPixel + 31) / 32) * 4;
    const size_t rows = size_t(layout.Height < 0 ? -int64_t(layout.Height) : layout.Height);
    const uint8_t* pixels = in.ReadBytes(stride * rows);

    TBmpImage result;
    result.Image = DecodePixels(pixels, stride, layout, table);
    result.ByteCount = in.Position();
    return result;
}

}  // namespace

TBmpImage ReadBmp(const uint8_t* data, size_t size) {
    TByteReader in(data, size);
    try {
        return ReadChecked(in);
    } catch (const EShortRead&) {
        throw EBmpError("BMP cut short");
    }
}

}  // namespace vorlix
