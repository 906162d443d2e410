#pragma once
// What both coders of a GIF frame's pixel data share: packing variable-width
// codes into bytes, the 255-byte sub-blocks, and finding runs of one colour.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorlix {

// Packs codes of growing width, least significant bit first.
class TCodePacker {
public:
    explicit TCodePacker(std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

    void Put(unsigned code, int width) {
        bits_ |= static_cast<std::uint64_t>(code) << count_;
        count_ += width;
        while (count_ >= 8) {
            bytes_.push_back(static_cast<std::uint8_t>(bits_));
            bits_ >>= 8;
            count_ -= 8;
        }
    }

    void Finish() {
        if (count_ > 0) bytes_.push_back(static_cast<std::uint8_t>(bits_));
        bits_ = 0;
        count_ = 0;
    }

private:
    std::vector<std::uint8_t>& bytes_;
    std::uint64_t bits_ = 0;
    int count_ = 0;
};

// The code size of a frame's data: the colour table's bits, at least 2.
int RootBitsOf(int bitsPerPixel);

// How many pixels from `at` on (before `count`) have the colour of pixels[at].
std::size_t RunLength(const std::uint8_t* pixels, std::size_t at, std::size_t count);

// Appends the minimum code size, `data` in sub-blocks and the terminator.
void AppendImageData(int rootBits, const std::vector<std::uint8_t>& data, std::vector<std::uint8_t>& out);

// Codes `count` pixels with `compress(rootBits, packer)` and appends them as a
// frame's image data.
template <class TCompress>
void AppendCodedImageData(std::size_t count, int bitsPerPixel, std::vector<std::uint8_t>& out, TCompress compress) {
    const int rootBits = RootBitsOf(bitsPerPixel);
    std::vector<std::uint8_t> data;
    data.reserve(count / 4 + 64);
    TCodePacker packer(data);
    compress(rootBits, packer);
    AppendImageData(rootBits, data, out);
}

}  // namespace vorlix
