#include "imaging/PngWriter.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "imaging/ThreadScratch.h"

namespace vorlix {

namespace {

constexpr std::uint8_t kGrey = 0, kRgb = 2, kPalette = 3, kRgba = 6;
constexpr std::size_t kBlockBytes = 256 * 1024;  // filtered rows handed to zlib at a time
constexpr std::size_t kMaxChunk = 1u << 30;      // an IDAT chunk's length must stay below 2^31

void Put32(QByteArray& out, std::uint32_t v) {
    const char b[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    out.append(b, 4);
}

void PutChunk(QByteArray& out, const char* type, const std::uint8_t* data, std::size_t size) {
    Put32(out, std::uint32_t(size));
    const qsizetype start = out.size();
    out.append(type, 4);
    if (size) out.append(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto* typed = reinterpret_cast<const Bytef*>(out.constData() + start);
    Put32(out, std::uint32_t(crc32(0, typed, uInt(out.size() - start))));
}

// One deflate stream per thread, reset between images: its 270 KB of tables
// would otherwise be mapped and faulted in again for every diagram of a batch.
struct TDeflater {
    z_stream Stream{};
    bool Ready = false;
    int Level = -1;
    int Strategy = -1;
    std::vector<std::uint8_t> Rows;        // filtered rows waiting for zlib
    std::vector<std::uint8_t> Compressed;  // the zlib stream of the image: its first Used bytes
    std::size_t Used = 0;
    ~TDeflater() {
        if (Ready) deflateEnd(&Stream);
    }
    bool Start(int level, int strategy) {
        if (!Ready) {
            if (deflateInit2(&Stream, level, Z_DEFLATED, 15, 8, strategy) != Z_OK) return false;
            Ready = true;
        } else if (deflateReset(&Stream) != Z_OK ||
                   ((level != Level || strategy != Strategy) && deflateParams(&Stream, level, strategy) != Z_OK)) {
            return false;
        }
        Level = level;
        Strategy = strategy;
        Used = 0;
        return true;
    }
    bool Feed(const std::uint8_t* data, std::size_t size, bool last) {
        Stream.next_in = const_cast<Bytef*>(data);
        Stream.avail_in = uInt(size);
        for (;;) {
            // The buffer only grows, so that it is not cleared again for every image.
            if (Compressed.size() - Used < 4096)
                Compressed.resize(std::max<std::size_t>(Compressed.size() * 2, 64 * 1024));
            Stream.next_out = Compressed.data() + Used;
            Stream.avail_out = uInt(std::min<std::size_t>(Compressed.size() - Used, 1u << 30));
            const uInt room = Stream.avail_out;
            const int result = deflate(&Stream, last ? Z_FINISH : Z_NO_FLUSH);
            Used += room - Stream.avail_out;
            if (result == Z_STREAM_END) return true;
            if (result != Z_OK && result != Z_BUF_ERROR) return false;
            if (!last && Stream.avail_in == 0) return true;
        }
    }
};

TDeflater& Deflater() { return TThreadScratch<TDeflater>::Get(); }

// Filters one row of `n` bytes (`bpp` bytes a pixel) against the row above
// (zeros for the first) into out[0..n], out[0] naming the filter.
void FilterRow(TPngFilter filter, int bpp, const std::uint8_t* row, const std::uint8_t* above, std::size_t n,
               std::uint8_t* out) {
    *out++ = std::uint8_t(filter);
    switch (filter) {
        case TPngFilter::None: std::memcpy(out, row, n); break;
        case TPngFilter::Sub:
            for (std::size_t i = 0; i < std::size_t(bpp) && i < n; ++i) out[i] = row[i];
            for (std::size_t i = bpp; i < n; ++i) out[i] = std::uint8_t(row[i] - row[i - bpp]);
            break;
        case TPngFilter::Up: {
            // Sixteen bytes at a time: the compiler's -O2 leaves this loop unvectorised.
            typedef std::uint8_t TBytes16 __attribute__((vector_size(16)));
            std::size_t i = 0;
            for (; i + 16 <= n; i += 16) {
                TBytes16 a, b;
                std::memcpy(&a, row + i, 16);
                std::memcpy(&b, above + i, 16);
                a -= b;
                std::memcpy(out + i, &a, 16);
            }
            for (; i < n; ++i) out[i] = std::uint8_t(row[i] - above[i]);
            break;
        }
        case TPngFilter::Paeth:
            for (std::size_t i = 0; i < std::size_t(bpp) && i < n; ++i) out[i] = std::uint8_t(row[i] - above[i]);
            for (std::size_t i = bpp; i < n; ++i) {
                const int a = row[i - bpp], b = above[i], c = above[i - bpp];
                const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
                const int predicted = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
                out[i] = std::uint8_t(row[i] - predicted);
            }
            break;
    }
}

// The whole file: signature, header, palette, density, the filtered rows
// deflated (rowOf(y, buffer) gives row y's bytes) and the end.
template <typename RowOf>
bool WriteFile(int width, int height, std::uint8_t colorType, const std::vector<QRgb>* palette, int dotsPerMeter,
               const TPngDeflate& settings, RowOf rowOf, QByteArray& result) {
    result.clear();
    if (width <= 0 || height <= 0) return false;
    const int bpp = colorType == kRgba ? 4 : colorType == kRgb ? 3 : 1;
    const std::size_t rowBytes = std::size_t(width) * bpp;
    TDeflater& z = Deflater();
    if (!z.Start(settings.Level, settings.Strategy)) return false;

    // Rows go to zlib in blocks. A row made in a buffer stays there while the
    // next row is filtered against it, so the two buffers take turns.
    std::vector<std::uint8_t> made[2] = {std::vector<std::uint8_t>(rowBytes), std::vector<std::uint8_t>(rowBytes)};
    const std::vector<std::uint8_t> zeros(rowBytes, 0);
    const std::uint8_t* above = zeros.data();
    const std::size_t rowsPerBlock = std::max<std::size_t>(1, kBlockBytes / (rowBytes + 1));
    z.Rows.resize(std::min<std::size_t>(rowsPerBlock, height) * (rowBytes + 1));
    std::size_t filled = 0;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = rowOf(y, made[y & 1].data());
        FilterRow(settings.Filter, bpp, row, above, rowBytes, z.Rows.data() + filled);
        filled += rowBytes + 1;
        above = row;
        const bool last = y + 1 == height;
        if (last || filled + rowBytes + 1 > z.Rows.size()) {
            if (!z.Feed(z.Rows.data(), filled, last)) return false;
            filled = 0;
        }
    }

    QByteArray& out = result;
    out.reserve(qsizetype(z.Used + (palette ? palette->size() * 4 : 0) + 128));
    out.append("\x89PNG\r\n\x1A\n", 8);
    std::uint8_t header[13] = {};
    for (int i = 0; i < 4; ++i) {
        header[i] = std::uint8_t(std::uint32_t(width) >> (24 - 8 * i));
        header[4 + i] = std::uint8_t(std::uint32_t(height) >> (24 - 8 * i));
    }
    header[8] = 8;  // bits per sample; compression, filter method and interlace stay 0
    header[9] = colorType;
    PutChunk(out, "IHDR", header, sizeof header);
    if (palette) {
        std::vector<std::uint8_t> entries;
        entries.reserve(palette->size() * 3);
        for (QRgb c : *palette)
            entries.insert(entries.end(), {std::uint8_t(qRed(c)), std::uint8_t(qGreen(c)), std::uint8_t(qBlue(c))});
        PutChunk(out, "PLTE", entries.data(), entries.size());
        // Entries up to the last one that is not opaque carry their alpha.
        std::vector<std::uint8_t> alpha;
        for (std::size_t i = 0; i < palette->size(); ++i) {
            if (qAlpha((*palette)[i]) == 255) continue;
            alpha.resize(i + 1, 255);
            alpha[i] = std::uint8_t(qAlpha((*palette)[i]));
        }
        if (!alpha.empty()) PutChunk(out, "tRNS", alpha.data(), alpha.size());
    }
    if (dotsPerMeter > 0) {
        std::uint8_t phys[9] = {};
        for (int i = 0; i < 4; ++i) phys[i] = phys[4 + i] = std::uint8_t(std::uint32_t(dotsPerMeter) >> (24 - 8 * i));
        phys[8] = 1;  // per metre
        PutChunk(out, "pHYs", phys, sizeof phys);
    }
    for (std::size_t at = 0; at < z.Used; at += kMaxChunk)
        PutChunk(out, "IDAT", z.Compressed.data() + at, std::min(kMaxChunk, z.Used - at));
    PutChunk(out, "IEND", nullptr, 0);
    return true;
}

}  // namespace

// Measured on real diagrams (bench/README.md). Palette indices and grey
// levels: the Up filter turns the many rows equal to the row above into runs
// of zeros, which zlib's run-length matching codes in a fifth to a third of
// the time of level 6 with no filter; the price is the repeats across a row
// (the same piece on several squares) that run-length matching cannot see:
// from 7 % fewer to 8 % more bytes, depending on the style. Every other zlib
// setting tried was either as slow as level 6 or larger still.
// 24/32-bit images: Up at level 3 gives the bytes of trying every filter at a
// third of the time.
TPngDeflate DefaultPaletteDeflate() { return {TPngFilter::Up, 1, Z_RLE}; }
TPngDeflate DefaultTrueColorDeflate() { return {TPngFilter::Up, 3, Z_DEFAULT_STRATEGY}; }

bool EncodePng(const TIndexedImage& image, int dotsPerMeter, QByteArray& out) {
    return EncodePng(image, dotsPerMeter, DefaultPaletteDeflate(), out);
}

bool EncodePng(const TIndexedImage& image, int dotsPerMeter, const TPngDeflate& deflate, QByteArray& out) {
    if (image.Palette.empty() || image.Palette.size() > 256 ||
        image.Pixels.size() != std::size_t(image.Width) * std::size_t(image.Height)) {
        out.clear();
        return false;
    }
    // A palette that is the grey ramp from black (index i is grey level i) is
    // written as grey levels, as it always was: the indices are the levels.
    bool ramp = true;
    for (std::size_t i = 0; i < image.Palette.size() && ramp; ++i)
        ramp = image.Palette[i] == qRgb(int(i), int(i), int(i));
    // Any other palette of opaque greys (every diagram of the usual styles) is
    // written as grey levels as well: levels change more smoothly from pixel to
    // pixel than indices do, so the rows pack smaller, and no palette is needed.
    std::array<std::uint8_t, 256> level{};
    bool greys = !ramp;
    for (std::size_t i = 0; i < image.Palette.size() && greys; ++i) {
        const QRgb c = image.Palette[i];
        greys = qAlpha(c) == 255 && qRed(c) == qGreen(c) && qGreen(c) == qBlue(c);
        level[i] = std::uint8_t(qRed(c));
    }
    if (greys)
        return WriteFile(
            image.Width, image.Height, kGrey, nullptr, dotsPerMeter, deflate,
            [&](int y, std::uint8_t* buffer) {
                const std::uint8_t* indices = image.Row(y);
                for (int x = 0; x < image.Width; ++x) buffer[x] = level[indices[x]];
                return static_cast<const std::uint8_t*>(buffer);
            },
            out);
    return WriteFile(
        image.Width, image.Height, ramp ? kGrey : kPalette, ramp ? nullptr : &image.Palette, dotsPerMeter, deflate,
        [&](int y, std::uint8_t*) { return image.Row(y); }, out);
}

bool EncodePng(const QImage& image, int dotsPerMeter, QByteArray& out) {
    return EncodePng(image, dotsPerMeter, DefaultTrueColorDeflate(), out);
}

bool EncodePng(const QImage& image, int dotsPerMeter, const TPngDeflate& deflate, QByteArray& out) {
    if (image.isNull()) {
        out.clear();
        return false;
    }
    const bool alpha = image.hasAlphaChannel();
    const QImage::Format wanted = alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    const QImage pixels = image.format() == wanted ? image : image.convertToFormat(wanted);
    if (pixels.isNull()) {
        out.clear();
        return false;
    }
    const int width = pixels.width();
    if (alpha)
        return WriteFile(
            width, pixels.height(), kRgba, nullptr, dotsPerMeter, deflate,
            [&](int y, std::uint8_t* buffer) {
                const QRgb* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
                for (int x = 0; x < width; ++x) {
                    buffer[4 * x] = std::uint8_t(qRed(row[x]));
                    buffer[4 * x + 1] = std::uint8_t(qGreen(row[x]));
                    buffer[4 * x + 2] = std::uint8_t(qBlue(row[x]));
                    buffer[4 * x + 3] = std::uint8_t(qAlpha(row[x]));
                }
                return static_cast<const std::uint8_t*>(buffer);
            },
            out);
    return WriteFile(
        width, pixels.height(), kRgb, nullptr, dotsPerMeter, deflate,
        [&](int y, std::uint8_t* buffer) {
            const QRgb* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
            for (int x = 0; x < width; ++x) {
                buffer[3 * x] = std::uint8_t(qRed(row[x]));
                buffer[3 * x + 1] = std::uint8_t(qGreen(row[x]));
                buffer[3 * x + 2] = std::uint8_t(qBlue(row[x]));
            }
            return static_cast<const std::uint8_t*>(buffer);
        },
        out);
}

}  // namespace vorlix
