#pragma once
// What both coders of a GIF frame's pixel data share: packing variable-width
// codes into bytes, the 255-byte sub-blocks, and finding runs of one colour.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vorlix {

// Packs codes of growing width, least significant bit first, into a buffer
// with room for the most codes a frame can have: every code stands for at
// least one pixel, besides the clear codes and the end code.
class TCodePacker {
public:
    // At most `codes` codes of at most 12 bits.
    explicit TCodePacker(std::size_t codes);

    void Put(unsigned code, int width) {
        bits_ |= static_cast<std::uint64_t>(code) << count_;
        count_ += width;
        if (count_ >= 32) {
            // Whole words at a time: the buffer's bytes are little-endian code bits.
            const std::uint32_t word = static_cast<std::uint32_t>(bits_);
            const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(word), static_cast<std::uint8_t>(word >> 8),
                                           static_cast<std::uint8_t>(word >> 16),
                                           static_cast<std::uint8_t>(word >> 24)};
            std::memcpy(at_, bytes, 4);
            at_ += 4;
            bits_ >>= 32;
            count_ -= 32;
        }
    }

    void Finish() {
        for (; count_ > 0; count_ -= 8, bits_ >>= 8) *at_++ = static_cast<std::uint8_t>(bits_);
        count_ = 0;
    }

    const std::uint8_t* Data() const { return begin_; }
    std::size_t Size() const { return static_cast<std::size_t>(at_ - begin_); }

private:
    std::uint8_t* begin_;
    std::uint8_t* at_;
    std::uint64_t bits_ = 0;
    int count_ = 0;
};

// The code size of a frame's data: the colour table's bits, at least 2.
int RootBitsOf(int bitsPerPixel);

// Marks where runs of one colour end: bit i of word i / 64 is set when
// pixels[i] differs from pixels[i + 1] or is the last pixel. Kept per
// thread; valid until the next call on the same thread.
const std::vector<std::uint64_t>& RunEnds(const std::uint8_t* pixels, std::size_t count);

// Calls run(first, length) for every run of one colour in order.
template <class TRun>
void ForEachRun(const std::uint8_t* pixels, std::size_t count, TRun run) {
    const std::vector<std::uint64_t>& ends = RunEnds(pixels, count);
    std::size_t first = 0;
    for (std::size_t word = 0; word < ends.size(); ++word)
        for (std::uint64_t bits = ends[word]; bits != 0; bits &= bits - 1) {
            const std::size_t last = word * 64 + static_cast<std::size_t>(std::countr_zero(bits));
            run(first, last + 1 - first);
            first = last + 1;
        }
}

// Appends the minimum code size, the packed codes in sub-blocks and the terminator.
void AppendImageData(int rootBits, const TCodePacker& packer, std::vector<std::uint8_t>& out);

// Codes `count` pixels with `compress(rootBits, packer)` and appends them as a
// frame's image data. The coder writes at most one code per pixel besides a
// clear code for every 32 codes and the first clear and end codes.
template <class TCompress>
void AppendCodedImageData(std::size_t count, int bitsPerPixel, std::vector<std::uint8_t>& out, TCompress compress) {
    const int rootBits = RootBitsOf(bitsPerPixel);
    TCodePacker packer(count + count / 32 + 4);
    compress(rootBits, packer);
    AppendImageData(rootBits, packer, out);
}

}  // namespace vorlix
