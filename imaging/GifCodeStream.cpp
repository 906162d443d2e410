#include "imaging/GifCodeStream.h"

#include <algorithm>
#include <memory>

#include "imaging/ThreadScratch.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vorlix {

TCodePacker::TCodePacker(std::size_t codes) {
    // One buffer per thread, kept: batch runs code thousands of frames. Its
    // bytes are written before they are read, so it is never cleared.
    struct TBuffer {
        std::unique_ptr<std::uint8_t[]> Bytes;
        std::size_t Size = 0;
    };
    TBuffer& buffer = TThreadScratch<TBuffer>::Get();
    const std::size_t bytes = (codes * 12 + 7) / 8 + 8;  // 8: the last word's spare bytes
    if (buffer.Size < bytes) {
        buffer.Bytes.reset(new std::uint8_t[bytes]);
        buffer.Size = bytes;
    }
    begin_ = at_ = buffer.Bytes.get();
}

int RootBitsOf(int bitsPerPixel) { return std::clamp(bitsPerPixel, 2, 8); }

const std::vector<std::uint64_t>& RunEnds(const std::uint8_t* pixels, std::size_t count) {
    std::vector<std::uint64_t>& ends = TThreadScratch<std::vector<std::uint64_t>>::Get();
    ends.assign((count + 63) / 64, 0);
    // Sixteen neighbours compared at once where a whole block and the pixel
    // after it are in the image; the rest one by one.
    std::size_t at = 0;
#if defined(__SSE2__)
    for (; at + 64 < count; at += 64) {
        std::uint64_t word = 0;
        for (int part = 0; part < 4; ++part) {
            const std::uint8_t* p = pixels + at + 16 * part;
            const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
            const unsigned same = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(here, next)));
            word |= static_cast<std::uint64_t>(~same & 0xFFFFu) << (16 * part);
        }
        ends[at / 64] = word;
    }
#endif
    for (; at < count; ++at)
        if (at + 1 == count || pixels[at] != pixels[at + 1]) ends[at / 64] |= std::uint64_t{1} << (at % 64);
    return ends;
}

void AppendImageData(int rootBits, const TCodePacker& packer, std::vector<std::uint8_t>& out) {
    const std::uint8_t* data = packer.Data();
    const std::size_t size = packer.Size();
    const std::size_t start = out.size();
    out.resize(start + 1 + size + (size + 254) / 255 + 1);
    std::uint8_t* at = out.data() + start;
    *at++ = static_cast<std::uint8_t>(rootBits);
    for (std::size_t from = 0; from < size; from += 255) {
        const std::size_t length = std::min<std::size_t>(255, size - from);
        *at++ = static_cast<std::uint8_t>(length);
        std::memcpy(at, data + from, length);
        at += length;
    }
    *at = 0;
}

}  // namespace vorlix
