#include "imaging/GifEncoder.h"

#include <cstring>

#include "imaging/LzwEncoder.h"
#include "imaging/RunLengthEncoder.h"

namespace vorlix {
namespace {

void PutWord(std::vector<std::uint8_t>& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

// Bits of the colour table: the palette padded to a power of two entries, at least two.
int ColorTableBits(std::size_t colors) {
    int bits = 1;
    while ((std::size_t{1} << bits) < colors) ++bits;
    return bits;
}

void PutScreen(std::vector<std::uint8_t>& out, const TIndexedImage& image, int tableBits, bool gif89) {
    const char* version = gif89 ? "GIF89a" : "GIF87a";
    out.insert(out.end(), version, version + 6);
    PutWord(out, image.Width);
    PutWord(out, image.Height);
    // A global colour table, 8 bits per primary, unsorted; background 0, no aspect ratio.
    out.push_back(static_cast<std::uint8_t>(0x80 | (7 << 4) | (tableBits - 1)));
    out.push_back(0);
    out.push_back(0);
    const std::size_t entries = std::size_t{1} << tableBits;
    for (std::size_t i = 0; i < entries; ++i) {
        const QRgb c = i < image.Palette.size() ? image.Palette[i] : 0;
        out.push_back(static_cast<std::uint8_t>(qRed(c)));
        out.push_back(static_cast<std::uint8_t>(qGreen(c)));
        out.push_back(static_cast<std::uint8_t>(qBlue(c)));
    }
}

// A graphic control extension with only the transparency flag and index.
void PutTransparency(std::vector<std::uint8_t>& out, int transparentIndex) {
    const std::uint8_t block[] = {0x21, 0xF9, 4, 0x01, 0, 0, static_cast<std::uint8_t>(transparentIndex), 0};
    out.insert(out.end(), std::begin(block), std::end(block));
}

void PutFrame(std::vector<std::uint8_t>& out, const TIndexedImage& image, int tableBits, TGifCoding coding) {
    out.push_back(0x2C);
    PutWord(out, 0);
    PutWord(out, 0);
    PutWord(out, image.Width);
    PutWord(out, image.Height);
    out.push_back(0);  // no local colour table, not interlaced
    if (coding == TGifCoding::Lzw)
        AppendLzwImageData(image.Pixels.data(), image.Pixels.size(), tableBits, out);
    else
        AppendRunLengthImageData(image.Pixels.data(), image.Pixels.size(), tableBits, out);
}

// Every bit set in some pixel, sixteen pixels at a time.
unsigned AllBitsOf(const std::vector<std::uint8_t>& pixels) {
    std::uint64_t bits = 0, more = 0;
    std::size_t at = 0;
    for (; at + 16 <= pixels.size(); at += 16) {
        std::uint64_t words[2];
        std::memcpy(words, pixels.data() + at, 16);
        bits |= words[0];
        more |= words[1];
    }
    bits |= more;
    for (; at < pixels.size(); ++at) bits |= pixels[at];
    for (int shift = 32; shift >= 8; shift /= 2) bits |= bits >> shift;
    return static_cast<unsigned>(bits & 0xFF);
}

}  // namespace

bool EncodeGif(const TIndexedImage& image, int transparentIndex, TGifCoding coding, std::vector<std::uint8_t>& out,
               std::string& error) {
    out.clear();
    if (image.Width <= 0 || image.Height <= 0 || image.Width > 65535 || image.Height > 65535) {
        error = "The image is too large or empty for a GIF file.";
        return false;
    }
    if (image.Palette.empty() || image.Palette.size() > 256 ||
        image.Pixels.size() != static_cast<std::size_t>(image.Width) * image.Height) {
        error = "GIF encoder failed: invalid palette image.";
        return false;
    }
    const int tableBits = ColorTableBits(image.Palette.size());
    if (tableBits < 8 && AllBitsOf(image.Pixels) >> tableBits) {  // a table of 256 holds every byte
        error = "GIF encoder failed: a pixel lies outside the colour table.";
        return false;
    }
    if (transparentIndex >= static_cast<int>(image.Palette.size())) transparentIndex = kNoTransparency;
    out.reserve(image.Pixels.size() / 8 + 1024);
    PutScreen(out, image, tableBits, transparentIndex >= 0);
    if (transparentIndex >= 0) PutTransparency(out, transparentIndex);
    PutFrame(out, image, tableBits, coding);
    out.push_back(0x3B);
    return true;
}

}  // namespace vorlix
